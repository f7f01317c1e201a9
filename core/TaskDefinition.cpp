#include "core/TaskDefinition.h"

#include <array>

#include "core/Digits.h"

namespace {

using Text = std::u16string_view;

constexpr std::uint32_t DayMs = 86'400'000, MinuteMs = 60'000;
constexpr std::array<Text, 7> WeekdayNames = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                             u"Friday", u"Saturday", u"Sunday"};
constexpr std::array<Text, 12> MonthNames = {u"January", u"February", u"March",    u"April",
                                            u"May",     u"June",     u"July",     u"August",
                                            u"September", u"October", u"November", u"December"};
constexpr Text LocalSystem = u"S-1-5-18";  // the account every task runs as
constexpr std::size_t LongestPath = 260;  // the schema's pathType

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

LocalTime NextDay(LocalTime date) {
    if (++date.Day > DaysInMonth(date.Year, date.Month)) {
        date.Day = 1;
        if (++date.Month > 12) date.Month = 1, ++date.Year;
    }
    return date;
}

// Whether XML 1.0 can hold every character of `text`: no control character but tab and line
// ends, no half of a surrogate pair, no U+FFFE or U+FFFF.
bool Writable(Text text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ++i;
        } else if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || high || low || c >= 0xFFFE) {
            return false;
        }
    }
    return true;
}

// A definition, written front to back.
class Xml {
public:
    [[gnu::noinline]] Xml& Markup(Text markup) {
        text_ += markup;
        return *this;
    }
    Xml& Open(Text name) { return Markup(u"<").Markup(name).Markup(u">"); }
    Xml& Close(Text name) { return Markup(u"</").Markup(name).Markup(u">"); }
    Xml& Empty(Text name) { return Markup(u"<").Markup(name).Markup(u"/>"); }
    // An element with a text: the markup characters escaped, and a carriage return as a
    // reference, since a parser would turn it into a line feed.
    Xml& Element(Text name, Text content) {
        Open(name);
        for (const char16_t c : content) {
            switch (c) {
            case u'&': Markup(u"&amp;"); break;
            case u'<': Markup(u"&lt;"); break;
            case u'>': Markup(u"&gt;"); break;
            case u'\r': Markup(u"&#13;"); break;
            default: text_ += c;
            }
        }
        return Close(name);
    }
    Xml& Number(Text name, std::uint32_t n) {
        return Open(name).Markup(Digits(n, 10)).Close(name);
    }
    // A local time as the schema's dateTime without a zone: 2026-12-08T17:00:00.
    Xml& DateTime(Text name, const LocalTime& at) {
        const std::uint32_t seconds = at.Milliseconds / 1000;
        const std::uint32_t parts[] = {std::uint32_t(at.Year), std::uint32_t(at.Month), std::uint32_t(at.Day),
                                       seconds / 3600,         seconds / 60 % 60,       seconds % 60};
        Open(name);
        for (std::size_t i = 0; i < 6; ++i) {
            text_ += Digits(parts[i], 10, i == 0 ? 4 : 2);
            if (i < 5) text_ += u"--T::"[i];
        }
        return Close(name);
    }
    std::u16string& Text() { return text_; }

private:
    std::u16string text_;
};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

int DaysInMonth(int year, int month) {
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

int DayOfWeek(int year, int month, int day) {
    // Sakamoto's method counts from Sunday; the record's bits count from Monday.
    static constexpr int MonthOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) --year;
    return (year + year / 4 - year / 100 + year / 400 + MonthOffsets[month - 1] + day + 6) % 7;
}

std::vector<LocalTime> NextRunDates(const AtInfo& job, const LocalTime& now) {
    LocalTime first{now.Year, now.Month, now.Day, job.JobTime};
    if (job.JobTime <= now.Milliseconds) first = NextDay(first);  // today's time is past
    if (job.DaysOfWeek == 0 && job.DaysOfMonth == 0) return {first};
    std::vector<LocalTime> dates;
    for (int weekday = 0; weekday < 7; ++weekday) {
        if (!(job.DaysOfWeek >> weekday & 1)) continue;
        LocalTime date = first;
        while (DayOfWeek(date.Year, date.Month, date.Day) != weekday) date = NextDay(date);
        dates.push_back(date);
    }
    for (int day = 1; day <= 31; ++day) {
        if (!(job.DaysOfMonth >> (day - 1) & 1)) continue;
        LocalTime date = first;
        while (date.Day != day) date = NextDay(date);
        dates.push_back(date);
    }
    return dates;
}

TaskDefinitionOrProblem MakeTaskDefinition(const AtInfo& job, const LocalTime& now) {
    // The program: the first token, quoted or up to a blank; the arguments: the rest after the
    // blanks that follow it, as they stand.
    Text line = job.Command;
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    const bool quoted = !line.empty() && line.front() == u'"';
    std::size_t end = quoted ? line.find(u'"', 1) : 0;
    while (!quoted && end < line.size() && !IsBlank(line[end])) ++end;
    const Text program = quoted ? line.substr(1, end == Text::npos ? Text::npos : end - 1) : line.substr(0, end);
    Text arguments = end == Text::npos ? Text{} : line.substr(end + quoted);
    while (!arguments.empty() && IsBlank(arguments.front())) arguments.remove_prefix(1);
    if (program.empty()) return {std::nullopt, CommandProblem{CommandProblem::NoProgram}};
    if (program.size() > LongestPath) return {std::nullopt, CommandProblem{CommandProblem::TooLong}};
    if (!Writable(job.Command)) return {std::nullopt, CommandProblem{CommandProblem::Unwritable}};

    // With "jeden " and days, every listed day; else once on each listed day's next date (or
    // once at the time's next coming, without days), and then the task deletes itself, as the
    // AT service deletes a job that runs only once.
    const bool every = (job.Flags & JobRunPeriodically) && (job.DaysOfWeek != 0 || job.DaysOfMonth != 0);
    Xml xml;
    xml.Markup(u"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\"><Triggers>");
    const LocalTime today{now.Year, now.Month, now.Day, job.JobTime};
    if (every && job.DaysOfWeek != 0) {
        xml.Open(u"CalendarTrigger").DateTime(u"StartBoundary", today).Markup(u"<ScheduleByWeek><DaysOfWeek>");
        for (int weekday = 0; weekday < 7; ++weekday)
            if (job.DaysOfWeek >> weekday & 1) xml.Empty(WeekdayNames[weekday]);
        xml.Markup(u"</DaysOfWeek><WeeksInterval>1</WeeksInterval></ScheduleByWeek></CalendarTrigger>");
    }
    if (every && job.DaysOfMonth != 0) {
        xml.Open(u"CalendarTrigger").DateTime(u"StartBoundary", today).Markup(u"<ScheduleByMonth><DaysOfMonth>");
        for (int day = 1; day <= 31; ++day)
            if (job.DaysOfMonth >> (day - 1) & 1) xml.Number(u"Day", day);
        xml.Markup(u"</DaysOfMonth><Months>");
        for (const Text month : MonthNames) xml.Empty(month);
        xml.Markup(u"</Months></ScheduleByMonth></CalendarTrigger>");
    }
    if (!every) {
        for (const LocalTime& date : NextRunDates(job, now)) {
            // A trigger that has passed its end starts nothing more: a minute after the start.
            LocalTime end = date;
            end.Milliseconds += MinuteMs;
            if (end.Milliseconds >= DayMs) end = NextDay(end), end.Milliseconds -= DayMs;
            xml.Open(u"TimeTrigger").DateTime(u"StartBoundary", date).DateTime(u"EndBoundary", end);
            xml.Close(u"TimeTrigger");
        }
    }
    // Every job runs as the system's account, as the AT service ran it, "interactive" or not: a
    // task bound to a logged-on user (an interactive token, or a group) starts nothing while no
    // one is logged on, and a job that runs once would then be deleted unrun. The AT job's "may
    // use the desktop" has no counterpart in the task schema; since Vista a service's programs
    // show on no one's desktop anyway.
    xml.Markup(u"</Triggers><Principals><Principal id=\"Author\">")
        .Element(u"UserId", LocalSystem)
        .Element(u"RunLevel", u"HighestAvailable")
        // None of the Task Scheduler's own defaults that an AT job doesn't have: no 72-hour
        // limit, no battery conditions, the normal priority (its default, 7, is below normal).
        .Markup(u"</Principal></Principals><Settings><DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"
                u"<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries><ExecutionTimeLimit>PT0S</ExecutionTimeLimit>"
                u"<Priority>5</Priority>")
        .Markup(every ? u"" : u"<DeleteExpiredTaskAfter>PT0S</DeleteExpiredTaskAfter>")
        .Markup(u"</Settings><Actions Context=\"Author\"><Exec>")
        .Element(u"Command", program);
    if (!arguments.empty()) xml.Element(u"Arguments", arguments);
    xml.Markup(u"</Exec></Actions></Task>");
    return {TaskDefinition{std::move(xml.Text()), std::u16string(LocalSystem), LogonServiceAccount}, std::nullopt};
}

NamedRegistration RegisterUnderFreeName(TaskFolder& folder, const TaskDefinition& task) {
    std::u16string name;
    // Bounded, so that a folder that says every name is taken can't keep the window waiting.
    for (std::uint32_t n = 1; n <= 10'000; ++n) {
        name = u"At" + Digits(n, 10);
        const std::uint32_t found = folder.Find(name);
        if (found == 0) continue;
        if (found != TaskNotFound) return {found, name};  // it can't be told whether the name is free
        const std::uint32_t result = folder.Register(name, task);
        if (result != NameTaken[0] && result != NameTaken[1]) return {result, name};
        // Another program has taken the name since: the next.
    }
    return {NameTaken[0], name};
}
