#include "core/ScheduleCommand.h"

#include <variant>

#include "core/ComputerName.h"
#include "core/FillJobInfo.h"
#include "core/Messages.h"
#include "core/PlatformCodes.h"
#include "core/Texts.h"

namespace {

Outcome Say(std::u16string text, MessageKind kind, FieldToFix field = FieldToFix::None) {
    return {Message{std::move(text), Texts::MessageTitle, kind}, field};
}

// A route either hands the job over and brings the service's answer back, or refuses it
// before, with what the user is told.
using Attempt = std::variant<RouteResult, Outcome>;

Attempt SubmitToTheAtService(const AtInfo& job, const std::u16string& computer, const Account* account,
                             SchedulePlatform& platform) {
    return platform.SubmitJob(computer, job, account);
}

// The same job as a task of the computer's Task Scheduler, with its dates reckoned from the
// moment the user said Ja, in that computer's own local time where it tells it; the computer
// named as the Task Scheduler takes it.
Attempt RegisterAsTask(const AtInfo& job, const std::u16string& computer, const Account* account,
                       SchedulePlatform& platform) {
    const auto made = MakeTaskDefinition(job, TargetLocalTime(platform.Now(computer)));
    if (made.problem)
        return Say(CommandProblemText(*made.problem, job.Command), MessageKind::Warning, FieldToFix::CommandLine);
    return platform.RegisterTask(TaskSchedulerName(computer), *made.definition, account);
}

bool IsZero(std::uint32_t status) { return status == 0; }

// A way to a computer's scheduling service: which it is (for the hints), whether the user is
// asked first, how the job is handed over, which answers mean it was taken, on which answer the
// next route is offered, and how its confirmation and its failures read (Texts.h).
struct Route {
    Way way;
    bool asksFirst;
    Attempt (*schedule)(const AtInfo& job, const std::u16string& computer, const Account* account,
                        SchedulePlatform& platform);
    bool (*succeeded)(std::uint32_t status);
    std::optional<std::uint32_t> passesOn;
    const char8_t* confirmation;
    const char8_t* failure;
};

// In order: the AT interface, and where it is off, the Task Scheduler.
constexpr Route Routes[] = {
    {.way = Way::AtService,
     .asksFirst = false,
     .schedule = SubmitToTheAtService,
     .succeeded = IsZero,
     .passesOn = Codes::AtInterfaceOff,
     .confirmation = Texts::JobAdded,
     .failure = Texts::JobNotAdded},
    {.way = Way::TaskScheduler,
     .asksFirst = true,
     .schedule = RegisterAsTask,
     .succeeded = Codes::Succeeded,
     .passesOn = std::nullopt,
     .confirmation = Texts::TaskAdded,
     .failure = Texts::TaskNotAdded},
};

// A named computer that refuses the user's own logon is asked for with another account, and one
// that refuses an account's name or password with another one, up to this many in all.
constexpr int AccountsTried = 3;

bool IsAccessDenied(std::uint32_t status) { return status == Codes::AccessDenied || status == Codes::TaskAccessDenied; }
bool IsWrongAccount(std::uint32_t status) {
    return status == Codes::LogonFailure || status == Codes::TaskLogonFailure || status == Codes::InvalidPassword ||
           status == Codes::TaskInvalidPassword;
}

}  // namespace

Outcome Command1_Click(const WindowFields& fields, SchedulePlatform& platform) {
    AtInfo job;
    if (const auto error = FillJobInfo(fields, job))
        return Say(ConversionErrorText(*error), MessageKind::Warning,
                   error->kind == ConversionError::BadTime ? FieldToFix::RunTime : FieldToFix::DayList);

    const std::u16string& computer = fields.ComputerName;
    const bool here = IsThisComputer(computer, platform.ThisComputer());
    Account account;  // for this Schedule alone: its password is wiped when the click ends, however it ends
    const Account* given = nullptr;
    int accountsAsked = 0;
    for (const Route& route : Routes) {
        if (route.asksFirst && !platform.Ask(*Say(QuestionText(computer), MessageKind::Question).message)) return {};
        for (;;) {
            const Attempt attempt = route.schedule(job, computer, given, platform);
            if (const auto* refused = std::get_if<Outcome>(&attempt)) return *refused;
            const RouteResult& result = std::get<RouteResult>(attempt);
            const Target target{computer, here, given ? given->user : u""};
            if (route.succeeded(result.status))
                return Say(ConfirmationText(route.confirmation, result.job, target, route.way, result.status),
                           MessageKind::Information);
            const bool askAgain = given ? IsWrongAccount(result.status) : IsAccessDenied(result.status);
            if (!here && askAgain && accountsAsked < AccountsTried) {
                ++accountsAsked;
                const Message request{AccountRequest(computer), AccountCaption(computer), MessageKind::Question};
                const std::uint32_t asked =
                    platform.AskForAccount(TaskSchedulerName(computer), request, given != nullptr, account);
                if (asked == Codes::Cancelled) return {};
                if (asked == 0) {
                    given = &account;
                    continue;
                }
            }
            if (result.status != route.passesOn)
                return Say(FailureText(route.failure, result.status, result.platformText, route.way, target),
                           MessageKind::Error);
            break;
        }
    }
    return {};  // not reached: the last route passes nothing on
}
