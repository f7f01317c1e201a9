#pragma once
// The program's messages, made from the texts of the catalogue (Texts.h) and what a Schedule
// met: the user's entries, a computer's name, the platform's codes and texts.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/CommandLine.h"
#include "core/FillJobInfo.h"

// `text` with each %1 ... %9 in it replaced by the first ... ninth of `values`, once: what a
// value brings along is not replaced again.
std::u16string Fill(std::u16string_view text, std::initializer_list<std::u16string_view> values);
std::u16string Fill(std::u8string_view text, std::initializer_list<std::u16string_view> values);

// A piece of the user's text as a message box can show it: in „quotes“, at most 40 code units
// (never half a surrogate pair, "…" where it was cut), each invisible character written as its
// code, [U+202E].
std::u16string Quoted(std::u16string_view piece);

// The two ways to a computer's scheduling service: its AT interface (NetScheduleJobAdd), and its
// Task Scheduler (ITaskService).
enum class Way { AtService, TaskScheduler };

// Whom a message is about: the computer as typed (empty: this computer), whether it is this
// computer however it is named (IsThisComputer), and the account given for it, if one was.
struct Target {
    std::u16string computer;
    bool here = false;
    std::u16string account;  // empty: the user's own logon
};

// What usually lies behind a platform's answer on `way`, for the answers a user meets most, said
// of `target`; empty for the rest.
std::u16string Hint(Way way, std::uint32_t code, const Target& target);

std::u16string ConversionErrorText(const ConversionError& error);
std::u16string CommandProblemText(CommandProblem problem, std::u16string_view commandLine);

// "Auf dem Computer „HOST“ ist die AT-Schnittstelle abgeschaltet ..."
std::u16string QuestionText(const std::u16string& computer);
// The credential dialog's caption and message for `computer`: Message's text and title.
std::u16string AccountCaption(const std::u16string& computer);
std::u16string AccountRequest(const std::u16string& computer);
// A route's confirmation: %1 the job, %2 the computer as the owner ("von „HOST“"); then the hint.
std::u16string ConfirmationText(std::u8string_view text, const std::u16string& job, const Target& target, Way way,
                                std::uint32_t status);
// A route's failure: %1 and %2 the code in decimal and hexadecimal; then the platform's text, and
// the hint.
std::u16string FailureText(std::u8string_view text, std::uint32_t code, const std::u16string& platformText, Way way,
                           const Target& target);
