#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <utility>
#include <vector>

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

// A definition of Calc.exe at 17:00 with the given triggers, for the job of `flags`.
std::u16string Plain(const std::u16string& triggers, std::uint8_t flags) {
    return Head + u"<Triggers>" + triggers + u"</Triggers>" + AsSystem + Settings + (flags & 0x01 ? u"" : Once) +
           u"</Settings>" + Exec(u"<Command>Calc.exe</Command>");
}
std::u16string Weekly(const std::u16string& days, const char16_t* start = u"2026-12-08T17:00:00") {
    return u"<CalendarTrigger><StartBoundary>" + std::u16string(start) + u"</StartBoundary><ScheduleByWeek><DaysOfWeek>" +
           days + u"</DaysOfWeek><WeeksInterval>1</WeeksInterval></ScheduleByWeek></CalendarTrigger>";
}
std::u16string Monthly(const std::u16string& days) {
    return u"<CalendarTrigger><StartBoundary>2026-12-08T17:00:00</StartBoundary><ScheduleByMonth><DaysOfMonth>" + days +
           u"</DaysOfMonth>" + Months + u"</ScheduleByMonth></CalendarTrigger>";
}

// Every weekday alone and all seven together, the days of the month at the months' ends, and
// job times with seconds.
std::vector<DefinitionRow> Triggers() {
    const char16_t* const weekdays[] = {u"<Monday/>",   u"<Tuesday/>", u"<Wednesday/>", u"<Thursday/>",
                                        u"<Friday/>",   u"<Saturday/>", u"<Sunday/>"};
    std::vector<DefinitionRow> rows;
    std::u16string all;
    for (int day = 0; day < 7; ++day) {
        rows.push_back({Job(61'200'000, std::uint8_t(1u << day), 0, 0x11), Plain(Weekly(weekdays[day]), 0x11)});
        all += weekdays[day];
    }
    rows.push_back({Job(61'200'000, 0x7F, 0, 0x11), Plain(Weekly(all), 0x11)});
    for (const auto& [day, written] : {std::pair{1, u"1"}, {29, u"29"}, {30, u"30"}, {31, u"31"}})
        rows.push_back({Job(61'200'000, 0, 1u << (day - 1), 0x11),
                        Plain(Monthly(u"<Day>" + std::u16string(written) + u"</Day>"), 0x11)});
    rows.push_back({Job(61'200'000, 0, 1u | 1u << 28 | 1u << 29 | 1u << 30, 0x11),
                    Plain(Monthly(u"<Day>1</Day><Day>29</Day><Day>30</Day><Day>31</Day>"), 0x11)});
    // With seconds: 17:00:45 today, and 23:59:59, whose minute ends tomorrow.
    rows.push_back({Job(61'245'000, 0, 0, 0x10), Plain(At(u"2026-12-08T17:00:45", u"2026-12-08T17:01:45"), 0x10)});
    rows.push_back({Job(86'399'000, 0, 0, 0x10), Plain(At(u"2026-12-08T23:59:59", u"2026-12-09T00:00:59"), 0x10)});
    rows.push_back({Job(61'245'000, 0x01, 0, 0x11), Plain(Weekly(u"<Monday/>", u"2026-12-08T17:00:45"), 0x11)});
    // A Tuesday job a moment before now: next week's, its milliseconds not written.
    rows.push_back({Job(43'199'999, 0x02, 0, 0x10), Plain(At(u"2026-12-15T11:59:59", u"2026-12-15T12:00:59"), 0x10)});
    return rows;
}

TEST(MakeTaskDefinition, EachCaseWholeAndValidAgainstTheSchema) {
    std::vector<DefinitionRow> rows(std::begin(Definitions), std::end(Definitions));
    for (auto& row : Triggers()) rows.push_back(std::move(row));
    for (const auto& row : rows) {
        const auto made = MakeTaskDefinition(row.job, Now);
        const auto where = "row #" + std::to_string(&row - rows.data());
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
        const std::string file = testing::TempDir() + "task" + std::to_string(&row - rows.data()) + ".xml";
        const std::u16string text = u"\uFEFF" + made.definition->Xml;  // UTF-16, as the byte-order mark says
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(text.data()), 2 * text.size());
        const std::string check = "xmllint --noout --schema " TASK_SCHEMA " " + file + " >" + file + ".log 2>&1";
        EXPECT_EQ(std::system(check.c_str()), 0)
            << where << ": " << check << "\n" << std::ifstream(file + ".log").rdbuf();
    }
}

}  // namespace
