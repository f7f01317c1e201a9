#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/HelpTextColour.h"
#include "core/ScheduleCommand.h"

// A message as the test's failures show it.
void PrintTo(const Message& message, std::ostream* out) {
    *out << "{" << testing::PrintToString(message.text) << ", " << testing::PrintToString(message.title) << ", "
         << int(message.kind) << "}";
}

namespace {

struct Call {
    bool hasServer;
    std::u16string server;
    AtInfo job;
};

// The platform as a test wants it: the AT service answers `results` in turn (the last
// repeating), the user answers `yes`, the clock says `now`, the Task Scheduler `registration`.
class FakePlatform final : public SchedulePlatform {
public:
    std::vector<Call> calls;
    std::vector<std::uint32_t> results{0};
    std::uint32_t nextJobId = 1;
    std::vector<Message> asked;
    bool yes = true;
    LocalTime now{2026, 12, 8, 43'200'000};
    std::optional<LocalTime> nowOnceAnswered;  // the clock moves on while the question is up
    std::vector<std::pair<std::u16string, TaskDefinition>> tasks;
    TaskRegistration registration{0, u"At7", u""};

    SubmitResult SubmitJob(const char16_t* server, const AtInfo& job) override {
        calls.push_back({server != nullptr, server ? server : u"", job});
        const auto result = results[std::min(calls.size(), results.size()) - 1];
        return {result, result == 0 ? nextJobId++ : 0, result == 5 ? u"Access denied." : u""};
    }
    bool Ask(const Message& question) override {
        asked.push_back(question);
        if (nowOnceAnswered) now = *nowOnceAnswered;
        return yes;
    }
    LocalTime Now() override { return now; }
    TaskRegistration RegisterTask(const std::u16string& server, const TaskDefinition& task) override {
        tasks.emplace_back(server, task);
        return registration;
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
const std::u16string Unreachable =
    u"Der Computer ist nicht erreichbar. Stimmt der Computername, und ist der Computer eingeschaltet und im Netz?";
const std::u16string ServiceDown = u"Der Aufgabenplanungsdienst (Schedule) läuft auf diesem Computer nicht.";

Message Confirmed(const char16_t* number) {
    return {u"Der geplante Task ''Task" + std::u16string(number) + u"'' wurde erfolgreich hinzugefügt.  ", Title,
            MessageKind::Information};
}
Message NoWeekday(const std::u16string& quoted) {
    return {u"Im Feld „Datum:“ ist " + quoted + u" kein Wochentag.\n\n" + DaysAccepted, Title, MessageKind::Warning};
}

const std::u16string TaskNotAdded = u"Der Task konnte nicht in die Aufgabenplanung eingetragen werden.\n\nFehler 0x";
const std::u16string Question =
    u"Auf dem Computer „TESSARO1“ ist die AT-Schnittstelle abgeschaltet, wie ab Windows 8 üblich.\n\nSoll der Job "
    u"stattdessen in die Aufgabenplanung von „TESSARO1“ eingetragen werden?";
const std::u16string Vista = u"Die Aufgabenplanung, in die der Job eingetragen würde, gibt es erst ab Windows Vista.";

// Every message a click can show, whole: its text, title and icon, and where the focus goes;
// and the question it asks first, where it asks one.
TEST(Command1_Click, EveryMessageWhole) {
    const struct {
        const char16_t *computer, *time, *days, *command;
        std::uint32_t status;                 // the AT service's answer
        bool yes;                             // the answer to the question
        std::uint32_t task;                   // the Task Scheduler's answer
        std::optional<Message> shown;
        FieldToFix field;
        const std::u16string* question;       // the question asked, if any
    } rows[] = {
        {u"TESSARO1", u"17:00", u"M", u"Calc.exe", 0, true, 0, Confirmed(u"1"), FieldToFix::None, nullptr},
        {u"TESSARO1", u" abc ", u"M", u"Calc.exe", 0, true, 0,
         Message{u"Im Feld „Time (hh:mm):“ ist „abc“ keine Uhrzeit.\n\n" + TimesAccepted, Title, MessageKind::Warning},
         FieldToFix::RunTime, nullptr},
        {u"TESSARO1", u"17:00", u"13,,17", u"Calc.exe", 0, true, 0,
         Message{u"Im Feld „Datum:“ fehlt ein Tag zwischen zwei Kommas oder nach dem letzten Komma.\n\n" + DaysAccepted,
                 Title, MessageKind::Warning},
         FieldToFix::DayList, nullptr},
        {u"TESSARO1", u"17:00", u"13,x", u"Calc.exe", 0, true, 0,
         Message{u"Im Feld „Datum:“ ist „x“ kein Tag des Monats.\n\n" + DaysAccepted, Title, MessageKind::Warning},
         FieldToFix::DayList, nullptr},
        {u"TESSARO1", u"17:00", u"MO,TU", u"Calc.exe", 0, true, 0, NoWeekday(u"„MO“"), FieldToFix::DayList, nullptr},
        {u"TESSARO1", u"17:00", u"M", u"Calc.exe", 5, true, 0,
         Message{NotAdded + u"5 (0x5): Access denied.\n\n" + Admin, Title, MessageKind::Error}, FieldToFix::None,
         nullptr},
        {u"TESSARO1", u"17:00", u"M", u"Calc.exe", 53, true, 0,
         Message{NotAdded + u"53 (0x35).\n\n" + Unreachable, Title, MessageKind::Error}, FieldToFix::None, nullptr},
        {u"TESSARO1", u"17:00", u"M", u"Calc.exe", 1753, true, 0,
         Message{NotAdded + u"1753 (0x6D9).\n\n" + ServiceDown, Title, MessageKind::Error}, FieldToFix::None, nullptr},
        {u"TESSARO1", u"17:00", u"M", u"Calc.exe", 0xC0000005, true, 0,
         Message{NotAdded + u"3221225477 (0xC0000005).", Title, MessageKind::Error}, FieldToFix::None, nullptr},
        // The AT interface off: the question, then the Task Scheduler's answer.
        {u"TESSARO1", u"17:00", u"M", u"Calc.exe", 50, false, 0, std::nullopt, FieldToFix::None, &Question},
        {u"TESSARO1", u"17:00", u"M", u"Calc.exe", 50, true, 0,
         Message{u"Der geplante Task ''At7'' wurde in die Aufgabenplanung von „TESSARO1“ eingetragen.", Title,
                 MessageKind::Information},
         FieldToFix::None, &Question},
        {u"", u"17:00", u"M", u"Calc.exe", 50, true, 0,
         Message{u"Der geplante Task ''At7'' wurde in die Aufgabenplanung dieses Computers eingetragen.", Title,
                 MessageKind::Information},
         FieldToFix::None, nullptr},
        {u"TESSARO1", u"17:00", u"M", u"Calc.exe", 50, true, 0x80070005,
         Message{TaskNotAdded + u"80070005: Text.\n\n" + Admin, Title, MessageKind::Error}, FieldToFix::None,
         &Question},
        {u"TESSARO1", u"17:00", u"M", u" \t ", 50, true, 0,
         Message{u"Im Feld „Anwendung:“ fehlt das Programm, das der Task starten soll.", Title, MessageKind::Warning},
         FieldToFix::CommandLine, &Question},
        {u"TESSARO1", u"17:00", u"M", u"\"C:\\a\x01\" /b", 50, true, 0,
         Message{u"Im Feld „Anwendung:“ steht in „\"C:\\a[U+0001]\" /b“ ein Zeichen, das die Aufgabenplanung nicht "
                 u"speichern kann: ein Steuerzeichen oder ein halbes Ersatzzeichenpaar.",
                 Title, MessageKind::Warning},
         FieldToFix::CommandLine, &Question},
    };
    for (const auto& row : rows) {
        FakePlatform platform;
        platform.results = {row.status};
        platform.yes = row.yes;
        platform.registration = {row.task, u"At7", row.task ? u"Text." : u""};
        auto fields = Defaults();
        fields.ComputerName = row.computer;
        fields.RunTime = row.time;
        fields.DayList = row.days;
        fields.CommandLine = row.command;
        const Outcome outcome = Command1_Click(fields, platform);
        const auto where = "row #" + std::to_string(&row - rows);
        EXPECT_EQ(outcome.message, row.shown) << where;
        EXPECT_EQ(outcome.field, row.field) << where;
        EXPECT_EQ(platform.calls.size(), row.field == FieldToFix::RunTime || row.field == FieldToFix::DayList ? 0u : 1u)
            << where;
        if (row.question) {
            EXPECT_EQ(platform.asked, (std::vector<Message>{{*row.question, Title, MessageKind::Question}})) << where;
        }
        EXPECT_EQ(platform.asked.size(), row.status == 50 ? 1u : 0u) << where;
        const bool registers = row.status == 50 && row.yes && row.field == FieldToFix::None;
        EXPECT_EQ(platform.tasks.size(), registers ? 1u : 0u) << where;
    }
}

// Where the AT interface is off, the job goes to the Task Scheduler of the computer named, as
// the same job, with its dates reckoned from the clock when the user has answered.
TEST(Command1_Click, TheTaskSchedulerGetsTheSameJob) {
    FakePlatform platform;
    platform.results = {50};
    auto fields = Defaults();
    fields.ComputerName = u"\\\\HOST";
    fields.DayList = u"";
    platform.now = {2026, 12, 31, 61'000'000};
    platform.nowOnceAnswered = {2026, 12, 31, 62'000'000};  // 17:13:20, past the job's 17:00
    Command1_Click(fields, platform);
    ASSERT_EQ(platform.tasks.size(), 1u);
    AtInfo job;
    ASSERT_FALSE(FillJobInfo(fields, job));
    EXPECT_EQ(platform.tasks[0].first, u"\\\\HOST") << "the name as typed";
    const TaskDefinition expected = *MakeTaskDefinition(job, *platform.nowOnceAnswered).definition;
    EXPECT_EQ(platform.tasks[0].second.Xml, expected.Xml) << "tomorrow's 17:00, as the clock said after the answer";
    EXPECT_EQ(platform.tasks[0].second.RunAs, u"S-1-5-18");
}

TEST(Command1_Click, DefaultJobIsSubmittedAsTheWindowSaysAndConfirmed) {
    FakePlatform platform;
    const Outcome outcome = Command1_Click(Defaults(), platform);
    ASSERT_EQ(platform.calls.size(), 1u);
    const Call& call = platform.calls[0];
    EXPECT_TRUE(call.hasServer);
    EXPECT_EQ(call.server, u"TESSARO1");
    EXPECT_EQ(call.job.JobTime, 61'200'000u);
    EXPECT_EQ(call.job.DaysOfMonth, 0u);
    EXPECT_EQ(call.job.DaysOfWeek, 0x7F);
    EXPECT_EQ(call.job.Flags, 0x10);
    EXPECT_EQ(call.job.Command, u"Calc.exe");
    EXPECT_EQ(outcome.message, Confirmed(u"1"));
}

TEST(ConfirmationText, JobNumberIsUnsignedDecimal) {
    const struct {
        std::uint32_t number;
        const char16_t* shown;
    } rows[] = {{0, u"0"}, {3'000'000'000u, u"3000000000"}, {4'294'967'295u, u"4294967295"}};
    for (const auto& row : rows) EXPECT_EQ(ConfirmationText(row.number), Confirmed(row.shown).text);
}

TEST(Command1_Click, NameIsPassedAsTypedAndEmptyMeansNone) {
    FakePlatform platform;
    for (const char16_t* name : {u"  \\\\server ", u"klein", u"x"}) {
        auto fields = Defaults();
        fields.ComputerName = name;
        Command1_Click(fields, platform);
        ASSERT_TRUE(platform.calls.back().hasServer);
        EXPECT_EQ(platform.calls.back().server, name);
    }
    auto fields = Defaults();
    fields.ComputerName.clear();
    EXPECT_EQ(Command1_Click(fields, platform).message, Confirmed(u"4")) << "an empty name is still submitted";
    EXPECT_FALSE(platform.calls.back().hasServer);
}

TEST(Command1_Click, EveryClickStartsFromAClearedRecordAndTriesOnce) {
    FakePlatform platform;
    platform.nextJobId = 7;
    platform.results = {0, 0, 1753, 0};
    auto monthly = Defaults();
    monthly.DayList = u"13,17,28";
    monthly.EveryListedDay = true;
    monthly.Interactive = true;
    std::vector<std::optional<Message>> shown;
    for (const auto& fields : {monthly, Defaults(), Defaults(), Defaults()})
        shown.push_back(Command1_Click(fields, platform).message);

    ASSERT_EQ(platform.calls.size(), 4u) << "one call per click, no retry";
    EXPECT_EQ(platform.calls[0].job.DaysOfMonth, 134'287'360u);
    EXPECT_EQ(platform.calls[0].job.DaysOfWeek, 0);
    EXPECT_EQ(platform.calls[0].job.Flags, 0x01);
    EXPECT_EQ(platform.calls[1].job.DaysOfMonth, 0u);
    EXPECT_EQ(platform.calls[1].job.DaysOfWeek, 0x7F);
    EXPECT_EQ(platform.calls[1].job.Flags, 0x10);
    EXPECT_EQ(shown[0], Confirmed(u"7"));
    EXPECT_EQ(shown[1], Confirmed(u"8"));
    EXPECT_EQ(shown[3], Confirmed(u"9")) << "the next click works again";
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
        {5, Admin},          {50, u""},         {53, Unreachable}, {1722, Unreachable}, {1753, ServiceDown},
        {2184, ServiceDown}, {0, u""},          {4, u""},          {6, u""},            {49, u""},
        {51, u""},           {52, u""},         {54, u""},         {1721, u""},         {1723, u""},
        {1752, u""},         {1754, u""},       {2183, u""},       {2185, u""},
    };
    for (const auto& c : cases) {
        const std::u16string head = NotAdded + Digits(c.code, 10) + u" (0x" + Digits(c.code, 16) + u")";
        EXPECT_EQ(ServiceErrorText(c.code, u""), c.hint.empty() ? head + u"." : head + u".\n\n" + c.hint) << c.code;
        EXPECT_EQ(ServiceErrorText(c.code, u"Text."),
                  c.hint.empty() ? head + u": Text." : head + u": Text.\n\n" + c.hint)
            << c.code;
    }
    // The Task Scheduler's answers, in all eight hexadecimal digits.
    const struct {
        std::uint32_t result;
        const char16_t* hex;
        std::u16string hint;
    } results[] = {
        {0x80070005, u"80070005", Admin},       {0x80070035, u"80070035", Unreachable},
        {0x800706BA, u"800706BA", Unreachable}, {0x80041315, u"80041315", ServiceDown},
        {0x80040154, u"80040154", Vista},       {0x80070004, u"80070004", u""},
        {0x80070006, u"80070006", u""},         {0x80070034, u"80070034", u""},
        {0x80070036, u"80070036", u""},         {0x800706B9, u"800706B9", u""},
        {0x800706BB, u"800706BB", u""},         {0x80041314, u"80041314", u""},
        {0x80041316, u"80041316", u""},         {0x80040153, u"80040153", u""},
        {0x80040155, u"80040155", u""},         {0x00000032, u"00000032", u""},
    };
    for (const auto& r : results) {
        const std::u16string head = TaskNotAdded + r.hex;
        EXPECT_EQ(TaskErrorText(r.result, u""), r.hint.empty() ? head + u"." : head + u".\n\n" + r.hint) << r.result;
        EXPECT_EQ(TaskErrorText(r.result, u"Text."),
                  r.hint.empty() ? head + u": Text." : head + u": Text.\n\n" + r.hint)
            << r.result;
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
