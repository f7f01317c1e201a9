#include "core/TaskDefinition.h"

#include <array>

#include "core/PlatformCodes.h"
#include "core/XmlWriter.h"

namespace {

using Text = std::u16string_view;

constexpr std::uint32_t MinuteMs = 60'000;
constexpr Text TaskNamespace = u"http://schemas.microsoft.com/windows/2004/02/mit/task";
constexpr std::array<Text, 7> WeekdayNames = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                             u"Friday", u"Saturday", u"Sunday"};
constexpr std::array<Text, 12> MonthNames = {u"January", u"February", u"March",    u"April",
                                            u"May",     u"June",     u"July",     u"August",
                                            u"September", u"October", u"November", u"December"};
constexpr char16_t LocalSystem[] = u"S-1-5-18";  // the account every task runs as

// A trigger that runs once, at `date`: one that has passed its end starts nothing more, a minute
// after the start.
void OnceAt(XmlWriter& xml, const LocalTime& date) {
    LocalTime end = date;
    end.Milliseconds += MinuteMs;
    if (end.Milliseconds >= DayMs) end = NextDay(end), end.Milliseconds -= DayMs;
    xml.Open(u"TimeTrigger").Element(u"StartBoundary", date).Element(u"EndBoundary", end).Close(u"TimeTrigger");
}

}  // namespace

TaskDefinitionOrProblem MakeTaskDefinition(const AtInfo& job, const LocalTime& now) {
    const CommandLineParts command = SplitCommandLine(job.Command);
    if (command.problem) return {std::nullopt, command.problem};

    // With "jeden " and days, every listed day; else once on each listed day's next date (or
    // once at the time's next coming, without days), and then the task deletes itself, as the
    // AT service deletes a job that runs only once.
    const bool every = (job.Flags & JobRunPeriodically) && (job.DaysOfWeek != 0 || job.DaysOfMonth != 0);
    const LocalTime today{now.Year, now.Month, now.Day, job.JobTime};
    XmlWriter xml;
    xml.Open(u"Task", {{u"version", u"1.2"}, {u"xmlns", TaskNamespace}}).Open(u"Triggers");
    if (every && job.DaysOfWeek != 0) {
        xml.Open(u"CalendarTrigger").Element(u"StartBoundary", today).Open(u"ScheduleByWeek").Open(u"DaysOfWeek");
        for (int weekday = 0; weekday < 7; ++weekday)
            if (job.DaysOfWeek >> weekday & 1) xml.Empty(WeekdayNames[weekday]);
        xml.Close(u"DaysOfWeek").Element(u"WeeksInterval", 1u).Close(u"ScheduleByWeek").Close(u"CalendarTrigger");
    }
    if (every && job.DaysOfMonth != 0) {
        xml.Open(u"CalendarTrigger").Element(u"StartBoundary", today).Open(u"ScheduleByMonth").Open(u"DaysOfMonth");
        for (std::uint32_t day = 1; day <= 31; ++day)
            if (job.DaysOfMonth >> (day - 1) & 1) xml.Element(u"Day", day);
        xml.Close(u"DaysOfMonth").Open(u"Months");
        for (const Text month : MonthNames) xml.Empty(month);
        xml.Close(u"Months").Close(u"ScheduleByMonth").Close(u"CalendarTrigger");
    }
    if (!every)
        for (const LocalTime& date : NextRunDates(job, now)) OnceAt(xml, date);
    xml.Close(u"Triggers");

    // Every job runs as the system's account, as the AT service ran it, "interactive" or not: a
    // task bound to a logged-on user (an interactive token, or a group) starts nothing while no
    // one is logged on, and a job that runs once would then be deleted unrun. The AT job's "may
    // use the desktop" has no counterpart in the task schema; since Vista a service's programs
    // show on no one's desktop anyway.
    xml.Open(u"Principals").Open(u"Principal", {{u"id", u"Author"}});
    xml.Element(u"UserId", LocalSystem).Element(u"RunLevel", u"HighestAvailable").Close(u"Principal").Close(u"Principals");

    // None of the Task Scheduler's own defaults that an AT job doesn't have: no 72-hour limit, no
    // battery conditions, the normal priority (its default, 7, is below normal).
    xml.Open(u"Settings")
        .Element(u"DisallowStartIfOnBatteries", u"false")
        .Element(u"StopIfGoingOnBatteries", u"false")
        .Element(u"ExecutionTimeLimit", u"PT0S")
        .Element(u"Priority", 5u);
    if (!every) xml.Element(u"DeleteExpiredTaskAfter", u"PT0S");
    xml.Close(u"Settings");

    xml.Open(u"Actions", {{u"Context", u"Author"}}).Open(u"Exec").Element(u"Command", command.program);
    if (!command.arguments.empty()) xml.Element(u"Arguments", command.arguments);
    xml.Close(u"Exec").Close(u"Actions").Close(u"Task");
    return {TaskDefinition{xml.Take(), LocalSystem, Codes::LogonServiceAccount}, std::nullopt};
}
