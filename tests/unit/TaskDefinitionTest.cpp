#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "core/TaskDefinition.h"

namespace {

constexpr LocalTime Now{2026, 12, 8, 43'200'000};  // a Tuesday, noon

AtInfo Job(std::uint32_t time, std::uint8_t weekdays, std::uint32_t monthDays, std::uint8_t flags,
           std::u16string command = u"Calc.exe") {
    return {time, monthDays, weekdays, flags, std::move(command)};
}

// The parts of a definition that don't change with the job, written out here apart from the
// program's own copy.
const std::u16string Head = u"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">";
const std::u16string AsSystem =
    u"<Principals><Principal id=\"Author\"><UserId>S-1-5-18</UserId><RunLevel>HighestAvailable</RunLevel>"
    u"</Principal></Principals>";
const std::u16string Settings =
    u"<Settings><DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries><StopIfGoingOnBatteries>false"
    u"</StopIfGoingOnBatteries><ExecutionTimeLimit>PT0S</ExecutionTimeLimit><Priority>5</Priority>";
const std::u16string Once = u"<DeleteExpiredTaskAfter>PT0S</DeleteExpiredTaskAfter>";
const std::u16string Months =
    u"<Months><January/><February/><March/><April/><May/><June/><July/><August/><September/><October/><November/>"
    u"<December/></Months>";

std::u16string At(const char16_t* start, const char16_t* end) {
    return u"<TimeTrigger><StartBoundary>" + std::u16string(start) + u"</StartBoundary><EndBoundary>" + end +
           u"</EndBoundary></TimeTrigger>";
}
std::u16string Exec(const std::u16string& inside) {
    return u"<Actions Context=\"Author\"><Exec>" + inside + u"</Exec></Actions></Task>";
}

struct DefinitionRow {
    AtInfo job;
    std::u16string xml;
};

// Each case's whole definition, and each as the documented schema allows it.
const DefinitionRow Definitions[] = {
    // "nächsten ", Monday and Tuesday at 17:00: next Monday, and today, still ahead.
    {Job(61'200'000, 0x03, 0, 0x10),
     Head + u"<Triggers>" + At(u"2026-12-14T17:00:00", u"2026-12-14T17:01:00") +
         At(u"2026-12-08T17:00:00", u"2026-12-08T17:01:00") + u"</Triggers>" + AsSystem + Settings + Once +
         u"</Settings>" + Exec(u"<Command>Calc.exe</Command>")},
    // "jeden ", Monday and Sunday, interactive; a quoted path with its arguments.
    {Job(61'200'000, 0x41, 0, 0x01, u"\"C:\\Program Files\\x.exe\" /a \"b c\""),
     Head + u"<Triggers><CalendarTrigger><StartBoundary>2026-12-08T17:00:00</StartBoundary><ScheduleByWeek>"
            u"<DaysOfWeek><Monday/><Sunday/></DaysOfWeek><WeeksInterval>1</WeeksInterval></ScheduleByWeek>"
            u"</CalendarTrigger></Triggers>" + AsSystem + Settings + u"</Settings>" +
         Exec(u"<Command>C:\\Program Files\\x.exe</Command><Arguments>/a \"b c\"</Arguments>")},
    // "jeden ", the 13th, 17th and 28th at 9:30, past today; blanks before the program, markup
    // and line ends in the arguments, and a blank at their end.
    {Job(34'200'000, 0, 134'287'360, 0x11, u"  notepad.exe \t a & <b>\r\n "),
     Head + u"<Triggers><CalendarTrigger><StartBoundary>2026-12-08T09:30:00</StartBoundary><ScheduleByMonth>"
            u"<DaysOfMonth><Day>13</Day><Day>17</Day><Day>28</Day></DaysOfMonth>" + Months +
         u"</ScheduleByMonth></CalendarTrigger></Triggers>" + AsSystem + Settings + u"</Settings>" +
         Exec(u"<Command>notepad.exe</Command><Arguments>a &amp; &lt;b&gt;&#13;\n </Arguments>")},
    // No days: once, tomorrow at midnight, since today's has passed.
    {Job(0, 0, 0, 0x10, u"\"a b\""),
     Head + u"<Triggers>" + At(u"2026-12-09T00:00:00", u"2026-12-09T00:01:00") + u"</Triggers>" + AsSystem +
         Settings + Once + u"</Settings>" + Exec(u"<Command>a b</Command>")},
    // "jeden " without days is once too; a trigger at 23:59 ends at the next midnight; an
    // unclosed quote runs to the end.
    {Job(86'340'000, 0, 0, 0x01, u"\"C:\\x y.exe"),
     Head + u"<Triggers>" + At(u"2026-12-08T23:59:00", u"2026-12-09T00:00:00") + u"</Triggers>" + AsSystem +
         Settings + Once + u"</Settings>" + Exec(u"<Command>C:\\x y.exe</Command>")},
    // The 8th at noon, which is now and so not ahead: next month's, in the next year.
    {Job(43'200'000, 0, 1u << 7, 0x10, u"x\"y z\"\U0001F600\uFFFD"),
     Head + u"<Triggers>" + At(u"2027-01-08T12:00:00", u"2027-01-08T12:01:00") + u"</Triggers>" + AsSystem +
         Settings + Once + u"</Settings>" + Exec(u"<Command>x\"y</Command><Arguments>z\"\U0001F600\uFFFD</Arguments>")},
    // A program path of exactly the schema's 260 characters.
    {Job(0, 0, 0, 0x10, u"\"" + std::u16string(260, u'p') + u"\" q"),
     Head + u"<Triggers>" + At(u"2026-12-09T00:00:00", u"2026-12-09T00:01:00") + u"</Triggers>" + AsSystem +
         Settings + Once + u"</Settings>" +
         Exec(u"<Command>" + std::u16string(260, u'p') + u"</Command><Arguments>q</Arguments>")},
};

TEST(MakeTaskDefinition, EachCaseWholeAndValidAgainstTheSchema) {
    for (const auto& row : Definitions) {
        const auto made = MakeTaskDefinition(row.job, Now);
        const auto where = "row #" + std::to_string(&row - Definitions);
        ASSERT_TRUE(made.definition) << where;
        EXPECT_EQ(made.definition->Xml, row.xml) << where;
        // Interactive or not, as the system's account, which needs no one logged on
        // (TASK_LOGON_SERVICE_ACCOUNT).
        EXPECT_EQ(made.definition->RunAs, u"S-1-5-18") << where;
        EXPECT_EQ(made.definition->LogonType, 5u) << where;
        AtInfo otherwise = row.job;
        otherwise.Flags ^= 0x10;  // JOB_NONINTERACTIVE
        EXPECT_EQ(MakeTaskDefinition(otherwise, Now).definition->Xml, row.xml) << where << ": interactive or not alike";
        // xmllint, against the elements of the platform's documented schema that it uses.
        const std::string file = testing::TempDir() + "task" + std::to_string(&row - Definitions) + ".xml";
        const std::u16string text = u"\uFEFF" + made.definition->Xml;  // UTF-16, as the byte-order mark says
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(text.data()), 2 * text.size());
        const std::string check = "xmllint --noout --schema " TASK_SCHEMA " " + file + " >" + file + ".log 2>&1";
        EXPECT_EQ(std::system(check.c_str()), 0)
            << where << ": " << check << "\n" << std::ifstream(file + ".log").rdbuf();
    }
}

TEST(MakeTaskDefinition, CommandsATaskCantHold) {
    const struct {
        std::u16string command;
        CommandProblem::Kind kind;
    } rows[] = {
        {u"", CommandProblem::NoProgram},
        {u" \t ", CommandProblem::NoProgram},
        {u"\"\" x", CommandProblem::NoProgram},
        {u"\"" + std::u16string(261, u'p') + u"\"", CommandProblem::TooLong},
        {std::u16string(261, u'p') + u" q", CommandProblem::TooLong},
        {u"a\x01", CommandProblem::Unwritable},
        {u"a b\x1F", CommandProblem::Unwritable},
        {u"a \x0B", CommandProblem::Unwritable},
        {u"a \xD800", CommandProblem::Unwritable},
        {u"a \xDBFF", CommandProblem::Unwritable},
        {u"a \xDC00x", CommandProblem::Unwritable},
        {u"a \xDFFF", CommandProblem::Unwritable},
        {u"a \xFFFE", CommandProblem::Unwritable},
        {u"a \xFFFF", CommandProblem::Unwritable},
    };
    for (const auto& row : rows) {
        const auto made = MakeTaskDefinition(Job(0, 0, 0, 0x10, row.command), Now);
        ASSERT_TRUE(made.problem) << "row #" << (&row - rows);
        EXPECT_EQ(made.problem->kind, row.kind) << "row #" << (&row - rows);
    }
}

// Each listed day's next date: across month ends, year ends and 29 February, and at the
// boundary of the time being ahead.
TEST(NextRunDates, EachListedDaysNextDate) {
    const struct {
        LocalTime now;
        std::uint32_t time;
        std::uint8_t weekdays;
        std::uint32_t monthDays;
        std::vector<LocalTime> dates;  // their Milliseconds are `time`
    } rows[] = {
        {Now, 43'200'000, 0x02, 0, {{2026, 12, 15}}},             // Tuesday at noon, now: next week's
        {Now, 43'260'000, 0x02, 0, {{2026, 12, 8}}},              // a minute later: today
        {Now, 0, 0x7F, 0, {{2026, 12, 14}, {2026, 12, 15}, {2026, 12, 9}, {2026, 12, 10}, {2026, 12, 11},
                          {2026, 12, 12}, {2026, 12, 13}}},
        {{2026, 12, 28, 68'400'000}, 64'800'000, 0x01, 0, {{2027, 1, 4}}},  // Monday, past: into the next year
        {{2026, 12, 31, 43'200'000}, 39'600'000, 0, 1u | 1u << 30, {{2027, 1, 1}, {2027, 1, 31}}},
        {{2027, 2, 1, 0}, 60'000, 0, 1u << 30, {{2027, 3, 31}}},           // no 31st in February
        {{2027, 4, 30, 0}, 60'000, 0, 1u << 30, {{2027, 5, 31}}},          // nor in April
        {{2027, 2, 1, 0}, 60'000, 0, 1u << 28, {{2027, 3, 29}}},           // no 29 February in 2027
        {{2028, 2, 1, 0}, 60'000, 0, 1u << 28, {{2028, 2, 29}}},           // but in 2028
        {{2100, 2, 1, 0}, 60'000, 0, 1u << 28, {{2100, 3, 29}}},           // not in 2100
        {{2000, 2, 28, 0}, 60'000, 0, 1u << 28, {{2000, 2, 29}}},          // but in 2000
        {{2026, 12, 31, 86'370'000}, 86'340'000, 0, 0, {{2027, 1, 1}}},    // no days: tomorrow
        {{2026, 12, 31, 86'280'000}, 86'340'000, 0, 0, {{2026, 12, 31}}},  // or today
    };
    for (const auto& row : rows) {
        std::vector<LocalTime> expected = row.dates;
        for (auto& date : expected) date.Milliseconds = row.time;
        EXPECT_EQ(NextRunDates(Job(row.time, row.weekdays, row.monthDays, 0x10), row.now), expected)
            << "row #" << (&row - rows);
    }
}

// A folder with the tasks `taken`, where the names in `raced` are taken by another program
// between the look-up and the registration, and where looking up `unreadable` fails.
class FakeFolder final : public TaskFolder {
public:
    std::vector<std::u16string> taken, raced, registered;
    std::u16string unreadable;
    std::uint32_t Find(const std::u16string& name) override {
        if (name == unreadable) return 0x80070005;
        return std::find(taken.begin(), taken.end(), name) != taken.end() ? 0 : TaskNotFound;
    }
    std::uint32_t Register(const std::u16string& name, const TaskDefinition&) override {
        registered.push_back(name);
        return std::find(raced.begin(), raced.end(), name) != raced.end() ? NameTaken[registered.size() % 2] : 0;
    }
};

TEST(RegisterUnderFreeName, TheLowestNumberNoTaskHas) {
    const struct {
        std::vector<std::u16string> taken, raced;
        std::u16string unreadable;
        NamedRegistration result;
        std::vector<std::u16string> registered;  // the names tried
    } rows[] = {
        {{}, {}, u"", {0, u"At1"}, {u"At1"}},
        {{u"At1"}, {}, u"", {0, u"At2"}, {u"At2"}},
        {{u"At2", u"At3"}, {}, u"", {0, u"At1"}, {u"At1"}},
        {{u"At1", u"At3"}, {}, u"", {0, u"At2"}, {u"At2"}},
        {{u"At1", u"At2", u"At3", u"At4", u"At5", u"At6", u"At7", u"At8", u"At9"}, {}, u"", {0, u"At10"}, {u"At10"}},
        {{u"At01", u"At1x", u"AT"}, {}, u"", {0, u"At1"}, {u"At1"}},
        {{}, {u"At1"}, u"", {0, u"At2"}, {u"At1", u"At2"}},                 // At1 taken meanwhile
        {{u"At2"}, {u"At1", u"At3"}, u"", {0, u"At4"}, {u"At1", u"At3", u"At4"}},
        {{u"At1"}, {}, u"At2", {0x80070005, u"At2"}, {}},                   // At2 can't be looked up
    };
    for (const auto& row : rows) {
        FakeFolder folder;
        folder.taken = row.taken;
        folder.raced = row.raced;
        folder.unreadable = row.unreadable;
        const NamedRegistration result = RegisterUnderFreeName(folder, TaskDefinition{u"<Task/>", u"S-1-5-18"});
        EXPECT_EQ(result.result, row.result.result) << "row #" << (&row - rows);
        EXPECT_EQ(result.name, row.result.name) << "row #" << (&row - rows);
        EXPECT_EQ(folder.registered, row.registered) << "row #" << (&row - rows);
    }
}

}  // namespace
