#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "core/FillJobInfo.h"
#include "core/Messages.h"
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
    std::u16string account;  // user and password as the call got them, "" for none
};

// An account as a call got it.
std::u16string Given(const Account* account) {
    return account ? account->user + u":" + std::u16string(account->password.c_str()) : u"";
}

// The platform as a test wants it: the AT service answers `results` in turn (the last
// repeating), the user answers `yes`, this computer's clock says `now` and the target's
// `target`, the Task Scheduler answers `registration`, the credential dialog `accounts` in turn
// (user:password, or a status where it gives none; the last repeating): by default 1004, the
// dialog can't be shown.
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
    std::vector<RouteResult> registrations;  // in turn, where given; else `registration`
    std::vector<std::u16string> registeredWith;
    ThisComputerNames here{u"HERE", u"here", u"here.example.org"};
    std::vector<std::variant<std::u16string, std::uint32_t>> accounts{1004u};
    std::vector<std::tuple<std::u16string, Message, bool>> accountsAsked;

    const ThisComputerNames& ThisComputer() override { return here; }
    RouteResult SubmitJob(const std::u16string& computer, const AtInfo& job, const Account* account) override {
        calls.push_back({computer, job, Given(account)});
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
    RouteResult RegisterTask(const std::u16string& computer, const TaskDefinition& task,
                             const Account* account) override {
        tasks.emplace_back(computer, task);
        registeredWith.push_back(Given(account));
        return registrations.empty() ? registration : registrations[std::min(tasks.size(), registrations.size()) - 1];
    }
    std::uint32_t AskForAccount(const std::u16string& target, const Message& request, bool again,
                                Account& account) override {
        accountsAsked.emplace_back(target, request, again);
        const auto& answer = accounts[std::min(accountsAsked.size(), accounts.size()) - 1];
        if (const auto* status = std::get_if<std::uint32_t>(&answer)) return *status;
        const auto& typed = std::get<std::u16string>(answer);
        const auto colon = typed.find(u':');
        account.user = typed.substr(0, colon);
        account.password.Wipe();
        typed.copy(account.password.data(), typed.size() - colon - 1, colon + 1);
        return 0;
    }
};

Message Information(std::u16string text) { return {std::move(text), Title, MessageKind::Information}; }
Message Warning(std::u16string text) { return {std::move(text), Title, MessageKind::Warning}; }
Message Error(std::u16string text) { return {std::move(text), Title, MessageKind::Error}; }

const std::u16string OnHost = u"Auf dem Computer „TESSARO1“", OfHost = u"von „TESSARO1“";
const std::u16string OnThis = u"Auf diesem Computer", OfThis = u"dieses Computers";
const Target Here{u"", true, u""}, Host{u"TESSARO1", false, u""};

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
        {.answers = {5}, .shown = Error(JobNotAdded + u"5 (0x5).\n\n" + RemoteAdmin(OnHost))},
        {.answers = {53}, .shown = Error(JobNotAdded + u"53 (0x35).\n\n" + Unreachable(OfHost))},
        {.answers = {1753}, .shown = Error(JobNotAdded + u"1753 (0x6D9).\n\n" + ServiceDown(OnHost))},
        {.answers = {0xC0000005}, .shown = Error(JobNotAdded + u"3221225477 (0xC0000005).")},
        // The AT interface off: the question, then the Task Scheduler's answer.
        {.answers = {50}, .yes = false, .question = Question(OnHost, OfHost)},
        {.answers = {50, 0}, .shown = Information(TaskAdded(u"At7", OfHost)), .question = Question(OnHost, OfHost)},
        {.computer = u"",
         .answers = {50, 0},
         .shown = Information(TaskAdded(u"At7", u"dieses Computers")),
         .question = Question(u"Auf diesem Computer", u"dieses Computers")},
        {.answers = {50, 0x80070005},
         .shown = Error(TaskNotAdded + u"80070005: Text.\n\n" + RemoteAdmin(OnHost)),
         .question = Question(OnHost, OfHost)},
        {.answers = {50, 0x800706BA},
         .shown = Error(TaskNotAdded + u"800706BA: Text.\n\n" + Firewall(OnHost)),
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
        // This computer: the AT service's confirmation doesn't name it, the Task Scheduler's and the
        // hints do.
        {.computer = u"", .answers = {0}, .shown = Information(JobAdded(u"1"))},
        {.computer = u"", .answers = {5}, .shown = Error(JobNotAdded + u"5 (0x5).\n\n" + Admin)},
        {.computer = u"",
         .answers = {50},
         .yes = false,
         .question = Question(u"Auf diesem Computer", u"dieses Computers")},
        {.computer = u"",
         .answers = {50, 0x80041315},
         .shown = Error(TaskNotAdded + u"80041315: Text.\n\n" + ServiceDown(OnThis)),
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
         .shown = Information(TaskAdded(u"At7", OfHost) + u"\n\n" + SomeTriggersFailed(OfHost)),
         .question = Question(OnHost, OfHost)},
        {.answers = {50, 0x0004131C},
         .shown = Information(TaskAdded(u"At7", OfHost) + u"\n\n" + BatchLogonProblem(OfHost)),
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

// Each hint, by the way the job went, the answer and the computer it came from, whole; none for
// the answers beside them, nor for an answer on the other way. (The whole messages, with the
// platform's text and without: EveryMessageWhole.)
TEST(Hint, ByWayAnswerAndComputer) {
    const std::u16string none;
    const struct {
        Way way;
        std::uint32_t code;
        std::u16string fromThis, fromNamed;  // from this computer, from TESSARO1
    } rows[] = {
        {Way::AtService, 5, Admin, RemoteAdmin(OnHost)},
        {Way::AtService, 53, none, Unreachable(OfHost)},
        {Way::AtService, 1722, none, Unreachable(OfHost)},
        {Way::AtService, 1753, ServiceDown(OnThis), ServiceDown(OnHost)},
        {Way::AtService, 2184, ServiceDown(OnThis), ServiceDown(OnHost)},
        {Way::TaskScheduler, 0x80070005, Admin, RemoteAdmin(OnHost)},
        {Way::TaskScheduler, 0x80070035, none, Firewall(OnHost)},
        {Way::TaskScheduler, 0x800706BA, none, Firewall(OnHost)},
        {Way::TaskScheduler, 0x80041315, ServiceDown(OnThis), ServiceDown(OnHost)},
        {Way::TaskScheduler, 0x80040154, Vista, Vista},
        {Way::TaskScheduler, 0x0004131B, SomeTriggersFailed(OfThis), SomeTriggersFailed(OfHost)},
        {Way::TaskScheduler, 0x0004131C, BatchLogonProblem(OfThis), BatchLogonProblem(OfHost)},
    };
    // The answers beside each of those, on either way.
    const std::uint32_t neighbours[] = {4,          6,          52,         54,         1721,       1723,
                                        1752,       1754,       2183,       2185,       0x80070004, 0x80070006,
                                        0x80070034, 0x80070036, 0x800706B9, 0x800706BB, 0x80041314, 0x80041316,
                                        0x80040153, 0x80040155, 0x0004131A, 0x0004131D, 0,          50};
    for (const auto& row : rows) {
        const Way other = row.way == Way::AtService ? Way::TaskScheduler : Way::AtService;
        EXPECT_EQ(Hint(row.way, row.code, Here), row.fromThis) << std::hex << row.code;
        EXPECT_EQ(Hint(row.way, row.code, Host), row.fromNamed) << std::hex << row.code;
        EXPECT_EQ(Hint(other, row.code, Host), none) << std::hex << row.code << " on the other way";
        EXPECT_EQ(Hint(other, row.code, Here), none) << std::hex << row.code << " on the other way";
    }
    for (const std::uint32_t code : neighbours)
        for (const Way way : {Way::AtService, Way::TaskScheduler})
            for (const Target& target : {Here, Host})
                EXPECT_EQ(Hint(way, code, target), none) << std::hex << code;
}

// A named computer that refuses the user's own logon: the account the user gives, on each way in
// turn, what follows each answer, and how often the user is asked. Each row: the computer, the AT
// service's answers and the Task Scheduler's in turn, what the credential dialog gives in turn,
// and then the message shown last, the account each call got (user:password, "" for the user's
// own), and for each time the dialog was shown whether it said the last one was wrong.
TEST(Command1_Click, AnotherAccountWhereTheComputerRefusesTheUsersOwn) {
    using Answers = std::vector<std::variant<std::u16string, std::uint32_t>>;
    const std::u16string OnSrv = u"Auf dem Computer „SRV-7“", OfSrv = u"von „SRV-7“", Admin7 = u"„SRV-7\\admin“";
    const std::u16string K = u"SRV-7\\admin:geheim";  // the account as the dialog gives it: user:password
    const auto Failed = [](std::u16string head, const std::u16string& hint) { return Error(head + u"\n\n" + hint); };
    const struct {
        std::u16string computer = u"SRV-7";
        std::vector<std::uint32_t> at, tasks = {};
        Answers accounts = {u"SRV-7\\admin:geheim"};
        std::optional<Message> shown;
        std::vector<std::u16string> submitted = {u"", u"SRV-7\\admin:geheim"}, registered = {};
        std::vector<bool> asked = {false};
    } rows[] = {
        {.at = {5, 0}, .shown = Information(JobAdded(u"1"))},
        {.at = {5, 1326, 0}, .accounts = {u"a:x", K}, .shown = Information(JobAdded(u"1")), .submitted = {u"", u"a:x", K},
         .asked = {false, true}},
        {.at = {5, 1326, 86, 1326}, .accounts = {u"a:1", u"a:2", u"a:3", u"a:4"},
         .shown = Failed(JobNotAdded + u"1326 (0x52E).", WrongPassword(OnSrv, u"„a“", u"SRV-7")),
         .submitted = {u"", u"a:1", u"a:2", u"a:3"}, .asked = {false, true, true}},
        {.at = {5}, .accounts = {1223u}, .shown = std::nullopt, .submitted = {u""}},
        {.at = {5, 1326}, .accounts = {u"a:1", 1223u}, .shown = std::nullopt, .submitted = {u"", u"a:1"},
         .asked = {false, true}},
        {.at = {5, 1219}, .shown = Failed(JobNotAdded + u"1219 (0x4C3).", SessionConflict(u"SRV-7", Admin7))},
        {.at = {5, 5}, .shown = Failed(JobNotAdded + u"5 (0x5).", AccountNotAdmin(OnSrv, Admin7))},
        {.at = {5, 1311}, .shown = Failed(JobNotAdded + u"1311 (0x51F).", NoLogonServers(Admin7, u"SRV-7"))},
        {.at = {5, 2202}, .shown = Failed(JobNotAdded + u"2202 (0x89A).", BadUserName(Admin7, u"SRV-7"))},
        {.at = {5, 1222}, .shown = Failed(JobNotAdded + u"1222 (0x4C6).", NoNetwork(OfSrv, u"SRV-7"))},
        // The AT interface off once the account is in: the Task Scheduler gets the same, unasked.
        {.at = {5, 50}, .tasks = {0}, .shown = Information(TaskAdded(u"At7", OfSrv)), .registered = {K}},
        {.at = {5, 50}, .tasks = {0x80070005},
         .shown = Failed(TaskNotAdded + u"80070005: Text.", AccountNotAdmin(OnSrv, Admin7)), .registered = {K}},
        // The Task Scheduler refuses the user's own logon, then a wrong password.
        {.at = {50}, .tasks = {0x80070005, 0x8007052E, 0}, .accounts = {u"a:1", u"a:2"},
         .shown = Information(TaskAdded(u"At7", OfSrv)), .submitted = {u""}, .registered = {u"", u"a:1", u"a:2"},
         .asked = {false, true}},
        {.at = {50}, .tasks = {0x80070005, 0x80070056}, .accounts = {u"a:1", 1223u}, .shown = std::nullopt,
         .submitted = {u""}, .registered = {u"", u"a:1"}, .asked = {false, true}},
        // This computer, however it is named, takes no other account: never asked.
        {.computer = u"\\\\here.EXAMPLE.org", .at = {5}, .shown = Failed(JobNotAdded + u"5 (0x5).", Admin),
         .submitted = {u""}, .asked = {}},
        {.computer = u"localhost", .at = {50}, .tasks = {0x80070005},
         .shown = Failed(TaskNotAdded + u"80070005: Text.", Admin), .submitted = {u""}, .registered = {u""}, .asked = {}},
        // Answers about an account without one given are what they say, and ask for none.
        {.at = {1326}, .shown = Error(JobNotAdded + u"1326 (0x52E)."), .submitted = {u""}, .asked = {}},
    };
    for (const auto& row : rows) {
        FakePlatform platform;
        platform.results = row.at;
        for (const std::uint32_t task : row.tasks)
            platform.registrations.push_back({task, u"At7", task & 0x80000000 ? u"Text." : u""});
        platform.accounts = row.accounts;
        auto fields = Defaults();
        fields.ComputerName = row.computer;
        const auto where = "row #" + std::to_string(&row - rows);
        EXPECT_EQ(Command1_Click(fields, platform).message, row.shown) << where;
        std::vector<std::u16string> submitted, registered = platform.registeredWith;
        for (const Call& call : platform.calls) submitted.push_back(call.account);
        EXPECT_EQ(submitted, row.submitted) << where;
        EXPECT_EQ(registered, row.registered) << where;
        std::vector<bool> asked;
        for (const auto& [target, request, again] : platform.accountsAsked) {
            asked.push_back(again);
            EXPECT_EQ(target, u"SRV-7") << where;
            EXPECT_EQ(request.title, Expected::AccountCaption(u"„SRV-7“")) << where;
            EXPECT_EQ(request.text, Expected::AccountRequest(OnSrv)) << where;
        }
        EXPECT_EQ(asked, row.asked) << where;
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
    EXPECT_EQ(platform.tasks[0].first, u"HOST") << "the name as the Task Scheduler takes it";
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
