#pragma once
// Turns the entries of the job window into a job record.

#include <optional>
#include <string>

#include "core/AtInfo.h"
#include "core/WindowFields.h"

// Why an entry could not be converted, and the text that failed.
struct ConversionError {
    enum Kind { BadTime, EmptyDay, BadDayOfMonth, BadWeekday } kind;
    std::u16string piece;  // the run time, or the day-list piece that failed (trimmed)
};

// Clears `job` and fills it from `fields`. On a failed conversion the record is incomplete and
// must not be submitted.
std::optional<ConversionError> FillJobInfo(const WindowFields& fields, AtInfo& job);

// The input language's pieces, exposed for their own tests.
std::optional<std::uint32_t> ParseJobTime(std::u16string_view text);  // milliseconds after midnight
bool IsDayOfMonthList(std::u16string_view dayList);
