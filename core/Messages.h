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

// A piece of the user's text as a message box can show it: in „quotes“, at most 40 code units
// (never half a surrogate pair, "…" where it was cut), each invisible character written as its
// code, [U+202E].
std::u16string Quoted(std::u16string_view piece);

// The two ways to a computer's scheduling service: its AT interface (NetScheduleJobAdd), and its
// Task Scheduler (ITaskService).
enum class Way { AtService, TaskScheduler };

// What usually lies behind a platform's answer on `way`, for the answers a user meets most, said
// of `computer` (empty: this computer); empty for the rest.
std::u16string Hint(Way way, std::uint32_t code, const std::u16string& computer);

std::u16string ConversionErrorText(const ConversionError& error);
std::u16string CommandProblemText(CommandProblem problem, std::u16string_view commandLine);

// "Auf dem Computer „HOST“ ist die AT-Schnittstelle abgeschaltet ..."
std::u16string QuestionText(const std::u16string& computer);
// A route's confirmation: %1 the job, %2 the computer as the owner ("von „HOST“"); then the hint.
std::u16string ConfirmationText(std::u16string_view text, const std::u16string& job, const std::u16string& computer,
                                Way way, std::uint32_t status);
// A route's failure: %1 and %2 the code in decimal and hexadecimal; then the platform's text, and
// the hint.
std::u16string FailureText(std::u16string_view text, std::uint32_t code, const std::u16string& platformText, Way way,
                           const std::u16string& computer);
