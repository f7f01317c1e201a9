#pragma once
// What the Schedule command needs of the platform: the services of some computer, the user, the
// clock. The command calls it and is never called back. Everywhere here an empty computer name
// means this computer.

#include <cstdint>
#include <string>

#include "core/Account.h"
#include "core/AtInfo.h"
#include "core/ComputerName.h"
#include "core/TargetClock.h"
#include "core/TaskDefinition.h"

enum class MessageKind { Information, Warning, Error, Question };  // a question asks Ja or Nein, Ja first

struct Message {
    std::u16string text, title;
    MessageKind kind;
    bool operator==(const Message&) const = default;
};

// What a computer's service answered when it was handed the job, by whichever route.
struct RouteResult {
    std::uint32_t status;         // the platform's answer: a Windows status, or an HRESULT
    std::u16string job;           // the job as its service knows it: its number, or the task's name
    std::u16string platformText;  // the platform's own text for a failure, if it has one
};

// Everywhere here `account` is the account to use on `computer`, or nullptr for the user's own.
class SchedulePlatform {
public:
    // This computer's names, read once.
    virtual const ThisComputerNames& ThisComputer() = 0;
    // Hands `job` to the AT interface of the scheduling service of `computer` (NetScheduleJobAdd),
    // with an account over a network session to the computer made for the call alone; the job as
    // the service's number in decimal. A session that can't be made answers for the call.
    virtual RouteResult SubmitJob(const std::u16string& computer, const AtInfo& job, const Account* account) = 0;
    // Asks the user; true for Ja.
    virtual bool Ask(const Message& question) = 0;
    // Asks the user for an account for the computer named `target` (bare, as the Task Scheduler
    // takes it) in the platform's credential dialog, with `request`'s title and text; after a
    // wrong name or password `again`, as the dialog then says. 0 with `account` filled, Cancelled,
    // or another status where the dialog can't be shown.
    virtual std::uint32_t AskForAccount(const std::u16string& target, const Message& request, bool again,
                                        Account& account) = 0;
    // What `computer` tells of its clock (NetRemoteTOD), and this computer's date and time of day.
    virtual Clocks Now(const std::u16string& computer) = 0;
    // Registers `task` in the top folder of the Task Scheduler of `computer` (named as the Task
    // Scheduler takes it: TaskSchedulerName), under the lowest name At<N> that is free there; the
    // job as the task's name.
    virtual RouteResult RegisterTask(const std::u16string& computer, const TaskDefinition& task,
                                     const Account* account) = 0;

protected:
    ~SchedulePlatform() = default;
};
