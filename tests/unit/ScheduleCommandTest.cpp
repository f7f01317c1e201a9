#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/HelpTextColour.h"
#include "core/ScheduleCommand.h"

namespace {

struct Call {
    bool hasServer;
    std::u16string server;
    AtInfo job;
};

class FakeScheduler final : public JobScheduler {
public:
    std::vector<Call> calls;
    std::vector<std::uint32_t> results{0};  // one per call; the last repeats
    std::uint32_t nextJobId = 1;

    std::uint32_t SubmitJob(const char16_t* server, const AtInfo& job, std::uint32_t* jobId) override {
        EXPECT_EQ(*jobId, 0u) << "the job number starts at 0 on every click";
        calls.push_back({server != nullptr, server ? server : u"", job});
        const auto result = results[std::min(calls.size(), results.size()) - 1];
        if (result == 0) *jobId = nextJobId++;
        return result;
    }
    std::u16string StatusText(std::uint32_t status) override {
        return status == 5 ? u"Access denied." : u"";
    }
};

struct Shown {
    std::u16string text, title;
    MessageKind kind;
};

class FakeMessages final : public MessageBoxes {
public:
    std::vector<Shown> shown;
    void ShowMessage(const std::u16string& text, const std::u16string& title, MessageKind kind) override {
        shown.push_back({text, title, kind});
    }
};

WindowFields Defaults() {
    WindowFields fields;
    fields.ComputerName = u"TESSARO1";
    fields.RunTime = u"17:00";
    fields.DayList = u"M,T,W,TH,F,S,SU";
    fields.CommandLine = u"Calc.exe";
    return fields;
}

class ScheduleCommand : public testing::Test {
protected:
    FakeScheduler scheduler;
    FakeMessages messages;
    FieldToFix Click(const WindowFields& fields) { return Command1_Click(fields, scheduler, messages); }
};

TEST_F(ScheduleCommand, DefaultJobIsSubmittedAndConfirmed) {
    EXPECT_EQ(Click(Defaults()), FieldToFix::None);

    ASSERT_EQ(scheduler.calls.size(), 1u);
    const Call& call = scheduler.calls[0];
    EXPECT_TRUE(call.hasServer);
    EXPECT_EQ(call.server, u"TESSARO1");
    EXPECT_EQ(call.job.JobTime, 61'200'000u);
    EXPECT_EQ(call.job.DaysOfMonth, 0u);
    EXPECT_EQ(call.job.DaysOfWeek, 0x7F);
    EXPECT_EQ(call.job.Flags, 0x10);
    EXPECT_EQ(call.job.Command, u"Calc.exe");

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, u"Der geplante Task ''Task1'' wurde erfolgreich hinzugefügt.  ");
    EXPECT_EQ(messages.shown[0].title, u" Geplanten Task hinzufügen");
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Information);
}

TEST(ConfirmationText, JobNumberIsUnsignedDecimal) {
    EXPECT_EQ(ConfirmationText(0), u"Der geplante Task ''Task0'' wurde erfolgreich hinzugefügt.  ");
    EXPECT_EQ(ConfirmationText(3'000'000'000u), u"Der geplante Task ''Task3000000000'' wurde erfolgreich hinzugefügt.  ");
    EXPECT_EQ(ConfirmationText(4'294'967'295u), u"Der geplante Task ''Task4294967295'' wurde erfolgreich hinzugefügt.  ");
}

TEST_F(ScheduleCommand, NameIsPassedAsTypedAndEmptyMeansNone) {
    for (const char16_t* name : {u"  \\\\server ", u"klein", u"x"}) {
        auto fields = Defaults();
        fields.ComputerName = name;
        Click(fields);
        ASSERT_TRUE(scheduler.calls.back().hasServer);
        EXPECT_EQ(scheduler.calls.back().server, name);
    }
    auto fields = Defaults();
    fields.ComputerName.clear();
    Click(fields);
    EXPECT_FALSE(scheduler.calls.back().hasServer);
    EXPECT_EQ(messages.shown.back().kind, MessageKind::Information) << "an empty name is still submitted";
}

TEST_F(ScheduleCommand, EveryClickStartsFromAClearedRecord) {
    scheduler.nextJobId = 7;
    auto monthly = Defaults();
    monthly.DayList = u"13,17,28";
    monthly.EveryListedDay = true;
    monthly.Interactive = true;
    Click(monthly);
    Click(Defaults());

    ASSERT_EQ(scheduler.calls.size(), 2u);
    EXPECT_EQ(scheduler.calls[0].job.DaysOfMonth, 134'287'360u);
    EXPECT_EQ(scheduler.calls[0].job.DaysOfWeek, 0);
    EXPECT_EQ(scheduler.calls[0].job.Flags, 0x01);
    EXPECT_EQ(scheduler.calls[1].job.DaysOfMonth, 0u);
    EXPECT_EQ(scheduler.calls[1].job.DaysOfWeek, 0x7F);
    EXPECT_EQ(scheduler.calls[1].job.Flags, 0x10);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[0].text.find(u"Task7''"), std::u16string::npos);
    EXPECT_NE(messages.shown[1].text.find(u"Task8''"), std::u16string::npos);
}

TEST_F(ScheduleCommand, FailedConversionSubmitsNothingAndNamesTheField) {
    struct {
        const char16_t* time;
        const char16_t* days;
        FieldToFix field;
        const char16_t* mentions;
    } const cases[] = {
        {u"abc", u"M", FieldToFix::RunTime, u"„Time (hh:mm):“ ist „abc“ keine Uhrzeit"},
        {u"17:00", u"13,x", FieldToFix::DayList, u"„Datum:“ ist „x“ kein Tag des Monats"},
        {u"17:00", u"13,,17", FieldToFix::DayList, u"„Datum:“ fehlt ein Tag"},
        {u"17:00", u"MO,TU", FieldToFix::DayList, u"„Datum:“ ist „MO“ kein Wochentag"},
    };
    for (const auto& c : cases) {
        auto fields = Defaults();
        fields.RunTime = c.time;
        fields.DayList = c.days;
        EXPECT_EQ(Click(fields), c.field);
        ASSERT_FALSE(messages.shown.empty());
        EXPECT_EQ(messages.shown.back().kind, MessageKind::Warning);
        EXPECT_EQ(messages.shown.back().title, u" Geplanten Task hinzufügen");
        EXPECT_NE(messages.shown.back().text.find(c.mentions), std::u16string::npos) << "case #" << (&c - cases);
        EXPECT_NE(messages.shown.back().text.find(u"Erlaubt sind"), std::u16string::npos);
    }
    EXPECT_TRUE(scheduler.calls.empty());
    EXPECT_EQ(messages.shown.size(), std::size(cases));
}

TEST_F(ScheduleCommand, LongPiecesAreShortenedInTheMessage) {
    auto fields = Defaults();
    fields.RunTime = std::u16string(1 << 20, u'9');
    Click(fields);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_LT(messages.shown[0].text.size(), 400u);
    EXPECT_NE(messages.shown[0].text.find(u"„9999999999999999999999999999999999999999…“"), std::u16string::npos);

    fields = Defaults();
    fields.DayList = u"M," + std::u16string(39, u'x') + u"😀";  // cut inside the surrogate pair
    Click(fields);
    EXPECT_NE(messages.shown[1].text.find(std::u16string(39, u'x') + u"…“"), std::u16string::npos);
}

TEST(ConversionErrorText, InvisibleAndReorderingCharactersAreShownByTheirCode) {
    struct {
        const char16_t* piece;
        const char16_t* shown;
    } const cases[] = {
        {u"\u202Eabc", u"„[U+202E]abc“"},  // right-to-left override
        {u"M\u2066T\u2069", u"„M[U+2066]T[U+2069]“"},
        {u"\u200FM\u200E", u"„[U+200F]M[U+200E]“"},
        {u"M\tT", u"„M[U+0009]T“"},
        {u"x\uFEFF\u00AD", u"„x[U+FEFF][U+00AD]“"},
        {u"\U000E0041x", u"„[U+E0041]x“"},  // a tag character, as a surrogate pair
        {u"\xD800x", u"„[U+D800]x“"},       // half a pair
        {u"Grüße 😀", u"„Grüße 😀“"},       // printable, whatever the script
    };
    for (const auto& c : cases) {
        const auto text = ConversionErrorText({ConversionError::BadWeekday, c.piece});
        EXPECT_NE(text.find(c.shown), std::u16string::npos) << "case #" << (&c - cases);
    }

    // Each range of invisible characters, by its first and last, and the characters just
    // outside it, which are shown as they are.
    const struct {
        char32_t first, last;
    } invisible[] = {{0x00, 0x1F},       {0x7F, 0x9F},     {0xAD, 0xAD},       {0x600, 0x605},   {0x61C, 0x61C},
                     {0x6DD, 0x6DD},     {0x70F, 0x70F},   {0x180E, 0x180E},   {0x200B, 0x200F}, {0x2028, 0x202E},
                     {0x2060, 0x206F},   {0xFEFF, 0xFEFF}, {0xFFF9, 0xFFFB},   {0xD800, 0xDFFF}, {0x1D173, 0x1D17A},
                     {0xE0000, 0xE007F}};
    const auto utf16 = [](char32_t c) {
        if (c < 0x10000) return std::u16string(1, char16_t(c));
        return std::u16string{char16_t(0xD800 + ((c - 0x10000) >> 10)), char16_t(0xDC00 + ((c - 0x10000) & 0x3FF))};
    };
    const auto shown = [&](char32_t c) {
        return ConversionErrorText({ConversionError::BadWeekday, u"a" + utf16(c) + u"b"});
    };
    for (const auto& range : invisible) {
        for (const char32_t c : {range.first, range.last}) {
            const std::u16string code = Digits(c, 16);
            const std::u16string expected = u"„a[U+" + std::u16string(4 - std::min<std::size_t>(4, code.size()), u'0') +
                                            code + u"]b“";
            EXPECT_NE(shown(c).find(expected), std::u16string::npos) << std::hex << std::uint32_t(c);
        }
        for (const char32_t c : {range.first - 1, range.last + 1}) {
            bool inside = false;
            for (const auto& other : invisible) inside = inside || (c >= other.first && c <= other.last);
            if (c == 0xFFFFFFFF || inside) continue;  // below 0, or the next range's
            EXPECT_NE(shown(c).find(u"„a" + utf16(c) + u"b“"), std::u16string::npos) << std::hex << std::uint32_t(c);
        }
    }
}

TEST_F(ScheduleCommand, ServiceErrorIsShownWithCodeAndHint) {
    scheduler.results = {5, 1753, 3221225477u, 0};
    for (int i = 0; i < 4; ++i) Click(Defaults());

    ASSERT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.shown[0].text,
              u"Der Task konnte nicht hinzugefügt werden.\n\nFehler 5 (0x5): Access denied.\n\n"
              u"Zum Hinzufügen eines Tasks auf diesem Computer sind Administratorrechte nötig.");
    EXPECT_NE(messages.shown[1].text.find(u"Fehler 1753 (0x6D9)."), std::u16string::npos);
    EXPECT_NE(messages.shown[1].text.find(u"(Schedule) läuft auf diesem Computer nicht"), std::u16string::npos);
    EXPECT_EQ(messages.shown[2].text, u"Der Task konnte nicht hinzugefügt werden.\n\nFehler 3221225477 (0xC0000005).");
    EXPECT_EQ(messages.shown[3].kind, MessageKind::Information) << "the next click works again";
    EXPECT_EQ(scheduler.calls.size(), 4u) << "one call per click, no retry";
}

TEST(ServiceErrorText, HintsForCommonCodes) {
    const std::u16string admin = u"Zum Hinzufügen eines Tasks auf diesem Computer sind Administratorrechte nötig.";
    const std::u16string enableAt =
        u"Ab Windows 8 ist die AT-Schnittstelle abgeschaltet, solange auf dem Zielcomputer der "
        u"Registrierungswert EnableAt (HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Schedule\\"
        u"Configuration) nicht auf 1 steht.";
    const std::u16string unreachable =
        u"Der Computer ist nicht erreichbar. Stimmt der Computername, und ist der Computer eingeschaltet und im Netz?";
    const std::u16string serviceDown = u"Der Aufgabenplanungsdienst (Schedule) läuft auf diesem Computer nicht.";
    const struct {
        std::uint32_t code;
        std::u16string hint;  // empty: none
    } cases[] = {
        {5, admin},          {50, enableAt},    {53, unreachable}, {1722, unreachable}, {1753, serviceDown},
        {2184, serviceDown}, {0, u""},          {4, u""},          {6, u""},            {49, u""},
        {51, u""},           {52, u""},         {54, u""},         {1721, u""},         {1723, u""},
        {1752, u""},         {1754, u""},       {2183, u""},       {2185, u""},
    };
    for (const auto& c : cases) {
        const std::u16string head = u"Der Task konnte nicht hinzugefügt werden.\n\nFehler " + Digits(c.code, 10) +
                                    u" (0x" + Digits(c.code, 16) + u").";
        EXPECT_EQ(ServiceErrorText(c.code, u""), c.hint.empty() ? head : head + u"\n\n" + c.hint) << c.code;
    }
}

TEST(HelpTextColour, RedBrownUnlessHighContrast) {
    const struct {
        bool highContrast;
        std::uint32_t systemText, shown;
    } cases[] = {
        {false, 0x000000, 0x0040C0},  // red 192, green 64, blue 0
        {false, 0xFFFFFF, 0x0040C0},
        {true, 0xFFFFFF, 0xFFFFFF},   // white on black
        {true, 0x00FF00, 0x00FF00},
        {true, 0x000000, 0x000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HelpTextColour(c.highContrast, c.systemText), c.shown) << c.highContrast << " " << c.systemText;
}

}  // namespace
