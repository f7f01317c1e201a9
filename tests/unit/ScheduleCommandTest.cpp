#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/FillJobInfo.h"
#include "core/ScheduleCommand.h"
#include "tests/unit/ExpectedTexts.h"

// A message as the test's failures show it.
void PrintTo(const Message& message, std::ostream* out) {
    *out << "{" << testing::PrintToString(message.text) << ", " << testing::PrintToString(message.title) << ", "
         << int(message.kind) << "}";
}

namespace {

using namespace Expected;

std::u16string Decimal(std::uint32_t n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

struct Call {
    std::u16string computer;
    AtInfo job;
};

// The platform as a test wants it: the AT service answers `results` in turn (the last
// repeating), the user answers `yes`, this computer's clock says `now` and the target's
// `target`, the Task Scheduler answers `registration`.
class FakePlatform final : public SchedulePlatform {
public:
    std::vector<Call> calls;
    std::vector<std::uint32_t> results{0};
    std::uint32_t nextJobId = 1;
    std::vector<Message> asked;
    bool yes = true;
    LocalTime now{2026, 12, 8, 43'200'000};
    std::optional<LocalTime> nowOnceAnswered;  // the clock moves on while the question is up
    std::optional<RemoteClock> target;
    std::vector<std::u16string> clocksAsked;
    std::vector<std::pair<std::u16string, TaskDefinition>> tasks;
    std::u16string failureText;  // the platform's text for the AT service's failures
    RouteResult registration{0, u"At7", u""};

    RouteResult SubmitJob(const std::u16string& computer, const AtInfo& job) override {
        calls.push_back({computer, job});
        const auto result = results[std::min(calls.size(), results.size()) - 1];
        return {result, result == 0 ? Decimal(nextJobId++) : u"", result == 0 ? u"" : failureText};
    }
    bool Ask(const Message& question) override {
        asked.push_back(question);
        if (nowOnceAnswered) now = *nowOnceAnswered;
        return yes;
    }
    Clocks Now(const std::u16string& computer) override {
        clocksAsked.push_back(computer);
        return {target, now};
    }
    RouteResult RegisterTask(const std::u16string& computer, const TaskDefinition& task) override {
        tasks.emplace_back(computer, task);
        return registration;
    }
};

Message Information(std::u16string text) { return {std::move(text), Title, MessageKind::Information}; }
Message Warning(std::u16string text) { return {std::move(text), Title, MessageKind::Warning}; }
Message Error(std::u16string text) { return {std::move(text), Title, MessageKind::Error}; }

const std::u16string OnHost = u"Auf dem Computer „TESSARO1“", OfHost = u"von „TESSARO1“";

// Every message a click can show, whole: its text, title and icon, and where the focus goes;
// and the question it asks first, where it asks one.
TEST(Command1_Click, EveryMessageWhole) {
    const struct {
        const char16_t* computer = u"TESSARO1";
        const char16_t* time = u"17:00";
        const char16_t* days = u"M";
        std::u16string command = u"Calc.exe";
        std::vector<std::uint32_t> answers = {};  // each route's in turn: the AT service's, the Task Scheduler's
        bool yes = true;                     // the answer to the question
        std::optional<Message> shown = {};
        FieldToFix field = FieldToFix::None;
        std::optional<std::u16string> question = {};  // the question asked, if any
    } rows[] = {
        {.answers = {0}, .shown = Information(JobAdded(u"1"))},
        {.time = u" abc ", .shown = Warning(NotATime(u"„abc“")), .field = FieldToFix::RunTime},
        {.days = u"13,,17", .shown = Warning(DayMissing), .field = FieldToFix::DayList},
        {.days = u"13,x", .shown = Warning(NotADayOfTheMonth(u"„x“")), .field = FieldToFix::DayList},
        {.days = u"MO,TU", .shown = Warning(NotAWeekday(u"„MO“")), .field = FieldToFix::DayList},
        {.answers = {5}, .shown = Error(JobNotAdded + u"5 (0x5).\n\n" + Admin)},
        {.answers = {53}, .shown = Error(JobNotAdded + u"53 (0x35).\n\n" + Unreachable)},
        {.answers = {1753}, .shown = Error(JobNotAdded + u"1753 (0x6D9).\n\n" + ServiceDown)},
        {.answers = {0xC0000005}, .shown = Error(JobNotAdded + u"3221225477 (0xC0000005).")},
        // The AT interface off: the question, then the Task Scheduler's answer.
        {.answers = {50}, .yes = false, .question = Question(OnHost, OfHost)},
        {.answers = {50, 0}, .shown = Information(TaskAdded(u"At7", OfHost)), .question = Question(OnHost, OfHost)},
        {.computer = u"",
         .answers = {50, 0},
         .shown = Information(TaskAdded(u"At7", u"dieses Computers")),
         .question = Question(u"Auf diesem Computer", u"dieses Computers")},
        {.answers = {50, 0x80070005},
         .shown = Error(TaskNotAdded + u"80070005: Text.\n\n" + Admin),
         .question = Question(OnHost, OfHost)},
        {.command = u" \t ",
         .answers = {50},
         .shown = Warning(NoProgram),
         .field = FieldToFix::CommandLine,
         .question = Question(OnHost, OfHost)},
        {.command = u"\"C:\\a\x01\" /b",
         .answers = {50},
         .shown = Warning(Unstorable(u"„\"C:\\a[U+0001]\" /b“")),
         .field = FieldToFix::CommandLine,
         .question = Question(OnHost, OfHost)},
        {.command = u"note\npad.exe",
         .answers = {50},
         .shown = Warning(Unstorable(u"„note[U+000A]pad.exe“")),
         .field = FieldToFix::CommandLine,
         .question = Question(OnHost, OfHost)},
        {.command = u"\"" + std::u16string(261, u'p') + u"\"",
         .answers = {50},
         .shown = Warning(ProgramTooLong),
         .field = FieldToFix::CommandLine,
         .question = Question(OnHost, OfHost)},
        // This computer: the AT service's answers don't name it, the Task Scheduler's do.
        {.computer = u"", .answers = {0}, .shown = Information(JobAdded(u"1"))},
        {.computer = u"", .answers = {53}, .shown = Error(JobNotAdded + u"53 (0x35).\n\n" + Unreachable)},
        {.computer = u"",
         .answers = {50},
         .yes = false,
         .question = Question(u"Auf diesem Computer", u"dieses Computers")},
        {.computer = u"",
         .answers = {50, 0x80041315},
         .shown = Error(TaskNotAdded + u"80041315: Text.\n\n" + ServiceDown),
         .question = Question(u"Auf diesem Computer", u"dieses Computers")},
        {.computer = u"",
         .command = u"",
         .answers = {50},
         .shown = Warning(NoProgram),
         .field = FieldToFix::CommandLine,
         .question = Question(u"Auf diesem Computer", u"dieses Computers")},
        // Every success of the registration confirms the task; the two documented ones say what
        // they mean.
        {.answers = {50, 0x0004131B},
         .shown = Information(TaskAdded(u"At7", OfHost) + u"\n\n" + SomeTriggersFailed),
         .question = Question(OnHost, OfHost)},
        {.answers = {50, 0x0004131C},
         .shown = Information(TaskAdded(u"At7", OfHost) + u"\n\n" + BatchLogonProblem),
         .question = Question(OnHost, OfHost)},
        {.answers = {50, 0x00041300}, .shown = Information(TaskAdded(u"At7", OfHost)), .question = Question(OnHost, OfHost)},
        {.answers = {50, 0x7FFFFFFF}, .shown = Information(TaskAdded(u"At7", OfHost)), .question = Question(OnHost, OfHost)},
        {.answers = {50, 0x80000000},
         .shown = Error(TaskNotAdded + u"80000000: Text."),
         .question = Question(OnHost, OfHost)},
    };
    for (const auto& row : rows) {
        FakePlatform platform;
        if (!row.answers.empty()) platform.results = {row.answers[0]};
        const std::uint32_t task = row.answers.size() > 1 ? row.answers[1] : 0;
        platform.registration = {task, u"At7", task & 0x80000000 ? u"Text." : u""};
        platform.yes = row.yes;
        auto fields = Defaults();
        fields.ComputerName = row.computer;
        fields.RunTime = row.time;
        fields.DayList = row.days;
        fields.CommandLine = row.command;
        const Outcome outcome = Command1_Click(fields, platform);
        const auto where = "row #" + std::to_string(&row - rows);
        EXPECT_EQ(outcome.message, row.shown) << where;
        EXPECT_EQ(outcome.field, row.field) << where;
        EXPECT_EQ(platform.calls.size(), row.answers.empty() ? 0u : 1u) << where;
        std::vector<Message> asked;
        if (row.question) asked.push_back({*row.question, Title, MessageKind::Question});
        EXPECT_EQ(platform.asked, asked) << where;
        EXPECT_EQ(platform.tasks.size(), row.answers.size() > 1 ? 1u : 0u) << where;
    }
}

// Each answer's hint, and none for the codes beside them; whole, with the platform's text and
// without. The AT service's statuses in decimal and hexadecimal, the Task Scheduler's HRESULTs in
// all eight hexadecimal digits.
TEST(Command1_Click, HintsForCommonAnswersAndNoneForTheirNeighbours) {
    const struct {
        std::uint32_t status;
        const char16_t* written;  // "5 (0x5)"
        std::u16string hint;
    } at[] = {
        {5, u"5 (0x5)", Admin},
        {53, u"53 (0x35)", Unreachable},
        {1722, u"1722 (0x6BA)", Unreachable},
        {1753, u"1753 (0x6D9)", ServiceDown},
        {2184, u"2184 (0x888)", ServiceDown},
        {4, u"4 (0x4)", u""},
        {6, u"6 (0x6)", u""},
        {49, u"49 (0x31)", u""},
        {51, u"51 (0x33)", u""},
        {52, u"52 (0x34)", u""},
        {54, u"54 (0x36)", u""},
        {1721, u"1721 (0x6B9)", u""},
        {1723, u"1723 (0x6BB)", u""},
        {1752, u"1752 (0x6D8)", u""},
        {1754, u"1754 (0x6DA)", u""},
        {2183, u"2183 (0x887)", u""},
        {2185, u"2185 (0x889)", u""},
    };
    const struct {
        std::uint32_t result;
        const char16_t* written;
        std::u16string hint;
    } tasks[] = {
        {0x80070005, u"80070005", Admin},       {0x80070035, u"80070035", Unreachable},
        {0x800706BA, u"800706BA", Unreachable}, {0x80041315, u"80041315", ServiceDown},
        {0x80040154, u"80040154", Vista},       {0x80070004, u"80070004", u""},
        {0x80070006, u"80070006", u""},         {0x80070034, u"80070034", u""},
        {0x80070036, u"80070036", u""},         {0x800706B9, u"800706B9", u""},
        {0x800706BB, u"800706BB", u""},         {0x80041314, u"80041314", u""},
        {0x80041316, u"80041316", u""},         {0x80040153, u"80040153", u""},
        {0x80040155, u"80040155", u""},         {0x80000032, u"80000032", u""},
    };
    const auto expected = [](std::u16string head, const std::u16string& platformText, const std::u16string& hint) {
        head += platformText.empty() ? u"." : u": " + platformText;
        return hint.empty() ? head : head + u"\n\n" + hint;
    };
    for (const std::u16string platformText : {u"", u"Text."}) {
        for (const auto& row : at) {
            FakePlatform platform;
            platform.results = {row.status};
            platform.failureText = platformText;
            const Outcome outcome = Command1_Click(Defaults(), platform);
            EXPECT_EQ(outcome.message, Error(expected(JobNotAdded + row.written, platformText, row.hint))) << row.status;
        }
        for (const auto& row : tasks) {
            FakePlatform platform;
            platform.results = {50};
            platform.registration = {row.result, u"At1", platformText};
            const Outcome outcome = Command1_Click(Defaults(), platform);
            EXPECT_EQ(outcome.message, Error(expected(TaskNotAdded + row.written, platformText, row.hint)))
                << std::hex << row.result;
        }
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

// The dates are reckoned in the target's own local time where it tells it: here a day and two
// hours ahead of this computer, where 17:00 has passed already.
TEST(Command1_Click, TheTaskIsReckonedOnTheTargetsClock) {
    FakePlatform platform;
    platform.results = {50};
    platform.now = {2026, 12, 8, 43'200'000};
    platform.target = RemoteClock{1'796'832'000, 0, -120};  // 2026-12-09 16:00 GMT, two hours east of it
    auto fields = Defaults();
    fields.DayList = u"";
    Command1_Click(fields, platform);
    ASSERT_EQ(platform.tasks.size(), 1u);
    EXPECT_EQ(platform.clocksAsked, std::vector<std::u16string>{u"HOST"});
    AtInfo job;
    ASSERT_FALSE(FillJobInfo(fields, job));
    const TaskDefinition expected = *MakeTaskDefinition(job, {2026, 12, 9, 64'800'000}).definition;
    EXPECT_EQ(platform.tasks[0].second.Xml, expected.Xml) << "the 10th's 17:00: it is 18:00 on the 9th there";
}

TEST(Command1_Click, DefaultJobIsSubmittedAsTheWindowSaysAndConfirmed) {
    FakePlatform platform;
    const Outcome outcome = Command1_Click(Defaults(), platform);
    ASSERT_EQ(platform.calls.size(), 1u);
    const Call& call = platform.calls[0];
    EXPECT_EQ(call.computer, u"HOST");
    EXPECT_EQ(call.job.JobTime, 61'200'000u);
    EXPECT_EQ(call.job.DaysOfMonth, 0u);
    EXPECT_EQ(call.job.DaysOfWeek, 0x7F);
    EXPECT_EQ(call.job.Flags, 0x10);
    EXPECT_EQ(call.job.Command, u"Calc.exe");
    EXPECT_EQ(outcome.message, Information(JobAdded(u"1")));
}

TEST(Command1_Click, NameIsPassedAsTypedAndEmptyMeansThisComputer) {
    FakePlatform platform;
    for (const char16_t* name : {u"  \\\\server ", u"klein", u"x", u""}) {
        auto fields = Defaults();
        fields.ComputerName = name;
        EXPECT_EQ(Command1_Click(fields, platform).message, Information(JobAdded(Decimal(platform.nextJobId))))
            << "submitted, an empty name too";
        EXPECT_EQ(platform.calls.back().computer, name);
    }
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
    EXPECT_EQ(shown[0], Information(JobAdded(u"7")));
    EXPECT_EQ(shown[1], Information(JobAdded(u"8")));
    EXPECT_EQ(shown[3], Information(JobAdded(u"9"))) << "the next click works again";
}

}  // namespace
