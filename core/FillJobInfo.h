#pragma once
// Turns the entries of the job window into a job record.

#include <optional>
#include <string>

#include "job/AtInfo.h"

// The window's entries as a Schedule reads them.
struct WindowFields {
    std::u16string ComputerName;  // Text1
    std::u16string RunTime;       // Text2, a clock time
    std::u16string DayList;       // Text3, weekdays (M,T,SU) or days of the month (13,17,28)
    std::u16string CommandLine;   // Text4
    int Interactive = 0;          // Check1: 0 unchecked, 1 checked
    bool EveryListedDay = false;  // Option2 ("jeden ") selected
};

// Why an entry could not be converted, and the text that failed.
struct ConversionError {
    enum Kind { BadTime, EmptyDay, BadDayOfMonth, BadWeekday } kind;
    std::u16string piece;  // the run time, or the day-list piece that failed (trimmed)
};

// Fills `job`, which the caller has cleared, from `fields`. On a failed conversion the record
// is incomplete and must not be submitted.
std::optional<ConversionError> FillJobInfo(const WindowFields& fields, AtInfo& job);

// The input language's pieces, exposed for their own tests.
std::optional<std::uint32_t> ParseJobTime(std::u16string_view text);  // milliseconds after midnight
bool IsDayOfMonthList(std::u16string_view dayList);
