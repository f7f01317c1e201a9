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
    std::u16string StatusText(std::uint32_t status) override { return status == 5 ? u"Access denied." : u""; }
};

struct Shown {
    std::u16string text, title;
    MessageKind kind;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << "{" << testing::PrintToString(shown.text) << ", " << testing::PrintToString(shown.title) << ", "
         << int(shown.kind) << "}";
}

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

// The program's texts, written out here apart from the program's own copy of them.
const std::u16string Title = u" Geplanten Task hinzufügen";
const std::u16string TimesAccepted =
    u"Erlaubt sind Uhrzeiten wie 17:00 oder 7:05, auch mit Sekunden (17:30:45) oder mit am/pm (5:00 pm), und eine "
    u"volle Stunde allein (17).";
const std::u16string DaysAccepted =
    u"Erlaubt sind Wochentage (M, T, W, TH, F, S, SU) wie M,T,SU oder Tage des Monats von 1 bis 31 wie 13,17,28, "
    u"jeweils durch Kommas getrennt.";
const std::u16string NotAdded = u"Der Task konnte nicht hinzugefügt werden.\n\nFehler ";
const std::u16string Admin = u"Zum Hinzufügen eines Tasks auf diesem Computer sind Administratorrechte nötig.";
const std::u16string EnableAt =
    u"Ab Windows 8 ist die AT-Schnittstelle abgeschaltet, solange auf dem Zielcomputer der Registrierungswert "
    u"EnableAt (HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Schedule\\Configuration) nicht auf 1 steht.";
const std::u16string Unreachable =
    u"Der Computer ist nicht erreichbar. Stimmt der Computername, und ist der Computer eingeschaltet und im Netz?";
const std::u16string ServiceDown = u"Der Aufgabenplanungsdienst (Schedule) läuft auf diesem Computer nicht.";

Shown Confirmed(const char16_t* number) {
    return {u"Der geplante Task ''Task" + std::u16string(number) + u"'' wurde erfolgreich hinzugefügt.  ", Title,
            MessageKind::Information};
}
Shown NoWeekday(const std::u16string& quoted) {
    return {u"Im Feld „Datum:“ ist " + quoted + u" kein Wochentag.\n\n" + DaysAccepted, Title, MessageKind::Warning};
}

class ScheduleCommand : public testing::Test {
protected:
    FakeScheduler scheduler;
    FakeMessages messages;
    FieldToFix Click(const WindowFields& fields) { return Command1_Click(fields, scheduler, messages); }
};

// Every message a click can show, whole: its text, title and icon, and where the focus goes.
TEST(ScheduleCommandMessages, EveryMessageWhole) {
    const struct {
        const char16_t *time, *days;
        std::uint32_t result;  // the service's answer, if it is called
        Shown shown;
        FieldToFix field;
    } rows[] = {
        {u"17:00", u"M", 0, Confirmed(u"1"), FieldToFix::None},
        {u" abc ", u"M", 0,
         {u"Im Feld „Time (hh:mm):“ ist „abc“ keine Uhrzeit.\n\n" + TimesAccepted, Title, MessageKind::Warning},
         FieldToFix::RunTime},
        {u"17:00", u"13,,17", 0,
         {u"Im Feld „Datum:“ fehlt ein Tag zwischen zwei Kommas oder nach dem letzten Komma.\n\n" + DaysAccepted, Title,
          MessageKind::Warning},
         FieldToFix::DayList},
        {u"17:00", u"13,x", 0,
         {u"Im Feld „Datum:“ ist „x“ kein Tag des Monats.\n\n" + DaysAccepted, Title, MessageKind::Warning},
         FieldToFix::DayList},
        {u"17:00", u"MO,TU", 0, NoWeekday(u"„MO“"), FieldToFix::DayList},
        {u"17:00", u"M", 5, {NotAdded + u"5 (0x5): Access denied.\n\n" + Admin, Title, MessageKind::Error}, FieldToFix::None},
        {u"17:00", u"M", 50, {NotAdded + u"50 (0x32).\n\n" + EnableAt, Title, MessageKind::Error}, FieldToFix::None},
        {u"17:00", u"M", 53, {NotAdded + u"53 (0x35).\n\n" + Unreachable, Title, MessageKind::Error}, FieldToFix::None},
        {u"17:00", u"M", 1722, {NotAdded + u"1722 (0x6BA).\n\n" + Unreachable, Title, MessageKind::Error}, FieldToFix::None},
        {u"17:00", u"M", 1753, {NotAdded + u"1753 (0x6D9).\n\n" + ServiceDown, Title, MessageKind::Error}, FieldToFix::None},
        {u"17:00", u"M", 2184, {NotAdded + u"2184 (0x888).\n\n" + ServiceDown, Title, MessageKind::Error}, FieldToFix::None},
        {u"17:00", u"M", 0xC0000005, {NotAdded + u"3221225477 (0xC0000005).", Title, MessageKind::Error}, FieldToFix::None},
    };
    for (const auto& row : rows) {
        FakeScheduler scheduler;
        FakeMessages messages;
        scheduler.results = {row.result};
        auto fields = Defaults();
        fields.RunTime = row.time;
        fields.DayList = row.days;
        EXPECT_EQ(Command1_Click(fields, scheduler, messages), row.field) << "row #" << (&row - rows);
        EXPECT_EQ(messages.shown, std::vector<Shown>{row.shown}) << "row #" << (&row - rows);
        EXPECT_EQ(scheduler.calls.size(), row.shown.kind == MessageKind::Warning ? 0u : 1u) << "row #" << (&row - rows);
    }
}

TEST_F(ScheduleCommand, DefaultJobIsSubmittedAsTheWindowSaysAndConfirmed) {
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
    EXPECT_EQ(messages.shown, std::vector<Shown>{Confirmed(u"1")});
}

TEST(ConfirmationText, JobNumberIsUnsignedDecimal) {
    const struct {
        std::uint32_t number;
        const char16_t* shown;
    } rows[] = {{0, u"0"}, {3'000'000'000u, u"3000000000"}, {4'294'967'295u, u"4294967295"}};
    for (const auto& row : rows) EXPECT_EQ(ConfirmationText(row.number), Confirmed(row.shown).text);
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
    EXPECT_EQ(messages.shown.back(), Confirmed(u"4")) << "an empty name is still submitted";
}

TEST_F(ScheduleCommand, EveryClickStartsFromAClearedRecordAndTriesOnce) {
    scheduler.nextJobId = 7;
    scheduler.results = {0, 0, 1753, 0};
    auto monthly = Defaults();
    monthly.DayList = u"13,17,28";
    monthly.EveryListedDay = true;
    monthly.Interactive = true;
    for (const auto& fields : {monthly, Defaults(), Defaults(), Defaults()}) Click(fields);

    ASSERT_EQ(scheduler.calls.size(), 4u) << "one call per click, no retry";
    EXPECT_EQ(scheduler.calls[0].job.DaysOfMonth, 134'287'360u);
    EXPECT_EQ(scheduler.calls[0].job.DaysOfWeek, 0);
    EXPECT_EQ(scheduler.calls[0].job.Flags, 0x01);
    EXPECT_EQ(scheduler.calls[1].job.DaysOfMonth, 0u);
    EXPECT_EQ(scheduler.calls[1].job.DaysOfWeek, 0x7F);
    EXPECT_EQ(scheduler.calls[1].job.Flags, 0x10);
    ASSERT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(messages.shown[0], Confirmed(u"7"));
    EXPECT_EQ(messages.shown[1], Confirmed(u"8"));
    EXPECT_EQ(messages.shown[3], Confirmed(u"9")) << "the next click works again";
}

// A quoted piece: at most 40 code units, never half a surrogate pair, and "…" when cut.
TEST(ConversionErrorText, LongPiecesAreCutWhole) {
    const std::u16string x39(39, u'x'), x40(40, u'x');
    const struct {
        std::u16string piece, quoted;
    } rows[] = {
        {x40, u"„" + x40 + u"“"},                          // exactly the cut length
        {x40 + u"y", u"„" + x40 + u"…“"},                  // one more
        {x39.substr(1) + u"😀", u"„" + x39.substr(1) + u"😀“"},  // a pair that ends at the cut
        {x39 + u"😀y", u"„" + x39 + u"…“"},                 // a pair across the cut
        {x39 + u"\xDBFF\xDFFF" + u"y", u"„" + x39 + u"…“"},  // the last pair, across the cut
        {x39 + u"\xDC00" + u"y", u"„" + x39 + u"[U+DC00]…“"},  // a low surrogate alone at the cut
        {std::u16string(1 << 20, u'9'), u"„" + std::u16string(40, u'9') + u"…“"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ConversionErrorText({ConversionError::BadWeekday, row.piece}), NoWeekday(row.quoted).text)
            << "row #" << (&row - rows);
}

TEST(ConversionErrorText, InvisibleAndReorderingCharactersAreShownByTheirCode) {
    const struct {
        std::u16string piece, quoted;
    } rows[] = {
        {u"\u202Eabc", u"„[U+202E]abc“"},  // right-to-left override
        {u"M\u2066T\u2069", u"„M[U+2066]T[U+2069]“"},
        {u"\u200FM\u200E", u"„[U+200F]M[U+200E]“"},
        {u"M\tT", u"„M[U+0009]T“"},
        {u"x\uFEFF\u00AD", u"„x[U+FEFF][U+00AD]“"},
        {u"\U000E0041x", u"„[U+E0041]x“"},  // a tag character, as a surrogate pair
        {u"Grüße 😀", u"„Grüße 😀“"},       // printable, whatever the script
        // The surrogates by their ends, as pairs and alone, and their neighbours.
        {u"\xD800\xDC00", u"„\U00010000“"},
        {u"\xDBFF\xDFFF", u"„\U0010FFFF“"},
        {u"\xD800\xDFFF\xDBFF\xDC00", u"„\U000103FF\U0010FC00“"},
        {u"\xD800x", u"„[U+D800]x“"},
        {u"x\xDBFF", u"„x[U+DBFF]“"},
        {u"\xDC00x", u"„[U+DC00]x“"},
        {u"x\xDFFF", u"„x[U+DFFF]“"},
        {u"\xDBFF\xDBFF\xDFFF", u"„[U+DBFF]\U0010FFFF“"},
        {u"\xDC00\xDC00", u"„[U+DC00][U+DC00]“"},
        {u"\xD7FF\xDC00", u"„\uD7FF[U+DC00]“"},
        {u"\xD800\xE000", u"„[U+D800]\uE000“"},
        {u"\xDBFF\xD7FF", u"„[U+DBFF]\uD7FF“"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ConversionErrorText({ConversionError::BadWeekday, row.piece}), NoWeekday(row.quoted).text)
            << "row #" << (&row - rows);

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
            EXPECT_EQ(shown(c), NoWeekday(expected).text) << std::hex << std::uint32_t(c);
        }
        for (const char32_t c : {range.first - 1, range.last + 1}) {
            bool inside = false;
            for (const auto& other : invisible) inside = inside || (c >= other.first && c <= other.last);
            if (c == 0xFFFFFFFF || inside) continue;  // below 0, or the next range's
            EXPECT_EQ(shown(c), NoWeekday(u"„a" + utf16(c) + u"b“").text) << std::hex << std::uint32_t(c);
        }
    }
}

TEST(ServiceErrorText, HintsForCommonCodesAndNoneForTheirNeighbours) {
    const struct {
        std::uint32_t code;
        std::u16string hint;  // empty: none
    } cases[] = {
        {5, Admin},          {50, EnableAt},    {53, Unreachable}, {1722, Unreachable}, {1753, ServiceDown},
        {2184, ServiceDown}, {0, u""},          {4, u""},          {6, u""},            {49, u""},
        {51, u""},           {52, u""},         {54, u""},         {1721, u""},         {1723, u""},
        {1752, u""},         {1754, u""},       {2183, u""},       {2185, u""},
    };
    for (const auto& c : cases) {
        const std::u16string head = NotAdded + Digits(c.code, 10) + u" (0x" + Digits(c.code, 16) + u")";
        EXPECT_EQ(ServiceErrorText(c.code, u""), c.hint.empty() ? head + u"." : head + u".\n\n" + c.hint) << c.code;
        EXPECT_EQ(ServiceErrorText(c.code, u"Text."), c.hint.empty() ? head + u": Text." : head + u": Text.\n\n" + c.hint)
            << c.code;
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
