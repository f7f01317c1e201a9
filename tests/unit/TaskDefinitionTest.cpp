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

}  // namespace
