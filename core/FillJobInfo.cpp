#include "core/FillJobInfo.h"

#include <array>
#include <string_view>
#include <vector>

namespace {

using Text = std::u16string_view;

// Blank as the user sees it: text pasted from a web page or a mail brings no-break and other
// Unicode spaces (category Zs) and line ends along with it.
bool IsBlank(char16_t c) {
    switch (c) {
    case u'\t':
    case u'\n':
    case u'\r':
    case u' ':
    case u'\u00A0':
    case u'\u1680':
    case u'\u202F':
    case u'\u205F':
    case u'\u3000':
        return true;
    default:
        return c >= u'\u2000' && c <= u'\u200A';
    }
}
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

Text Trimmed(Text text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Reads `fewest` to `most` digits from the front of `text`.
std::optional<unsigned> TakeNumber(Text& text, std::size_t fewest, std::size_t most) {
    std::size_t n = 0;
    unsigned value = 0;
    while (n < text.size() && n < most && IsDigit(text[n])) value = value * 10 + (text[n++] - u'0');
    if (n < fewest) return std::nullopt;
    text.remove_prefix(n);
    return value;
}

bool TakeChar(Text& text, char16_t c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }

// Pieces between commas, left to right, empty ones included; an empty text has none.
std::vector<Text> SplitAtCommas(Text text) {
    std::vector<Text> pieces;
    if (text.empty()) return pieces;
    for (;;) {
        const auto comma = text.find(u',');
        pieces.push_back(text.substr(0, comma));
        if (comma == Text::npos) return pieces;
        text.remove_prefix(comma + 1);
    }
}

// A day of the month: digits only, blanks around allowed, leading zeros too, worth 1 to 31.
std::optional<unsigned> ParseDayOfMonth(Text piece) {
    piece = Trimmed(piece);
    while (piece.size() > 1 && piece.front() == u'0') piece.remove_prefix(1);
    const auto day = TakeNumber(piece, 1, 2);
    if (!day || !piece.empty() || *day < 1 || *day > 31) return std::nullopt;
    return day;
}

// 0 to 6, Monday to Sunday; whole-piece comparison, so "TH" never counts as "T".
std::optional<unsigned> ParseWeekday(Text piece) {
    static constexpr std::array<Text, 7> DayNames = {u"M", u"T", u"W", u"TH", u"F", u"S", u"SU"};
    std::u16string upper(piece);
    for (auto& c : upper) c = Upper(c);
    for (unsigned j = 0; j < DayNames.size(); ++j)
        if (upper == DayNames[j]) return j;
    return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> ParseJobTime(Text text) {
    text = Trimmed(text);
    const auto hour = TakeNumber(text, 1, 2);
    if (!hour) return std::nullopt;
    unsigned minute = 0;
    if (TakeChar(text, u':')) {
        const auto mm = TakeNumber(text, 2, 2);
        if (!mm || *mm > 59) return std::nullopt;
        minute = *mm;
        if (TakeChar(text, u':')) {  // seconds are checked, then dropped
            const auto ss = TakeNumber(text, 2, 2);
            if (!ss || *ss > 59) return std::nullopt;
        }
    }
    text = Trimmed(text);
    unsigned h = *hour;
    if (text.size() == 2 && Upper(text[1]) == u'M' && (Upper(text[0]) == u'A' || Upper(text[0]) == u'P')) {
        if (h < 1 || h > 12) return std::nullopt;
        h = h % 12 + (Upper(text[0]) == u'P' ? 12 : 0);
        text = {};
    }
    if (!text.empty() || h > 23) return std::nullopt;
    return (std::uint32_t{h} * 3600 + minute * 60) * 1000;
}

// A list that starts with a number greater than 0 is a list of days of the month.
// The number is read the way the user wrote it: blanks first, then an optional sign,
// digits and a decimal fraction; "0,5" and "-3,4" are therefore weekday lists.
bool IsDayOfMonthList(Text dayList) {
    std::size_t i = 0;
    while (i < dayList.size() && IsBlank(dayList[i])) ++i;
    bool negative = false;
    if (i < dayList.size() && (dayList[i] == u'+' || dayList[i] == u'-')) negative = dayList[i++] == u'-';
    bool nonZero = false;
    bool point = false;
    for (; i < dayList.size(); ++i) {
        const char16_t c = dayList[i];
        if (c == u'.' && !point) {
            point = true;
        } else if (IsDigit(c)) {
            nonZero = nonZero || c != u'0';
        } else {
            break;
        }
    }
    return nonZero && !negative;
}

std::optional<ConversionError> FillJobInfo(const WindowFields& fields, AtInfo& job) {
    job = AtInfo{};
    const auto time = ParseJobTime(fields.RunTime);
    if (!time) return ConversionError{ConversionError::BadTime, std::u16string(Trimmed(fields.RunTime))};
    job.JobTime = *time;

    // Days accumulate as a set: a day listed twice still means that one day.
    if (IsDayOfMonthList(fields.DayList)) {
        for (const Text piece : SplitAtCommas(fields.DayList)) {
            if (Trimmed(piece).empty()) return ConversionError{ConversionError::EmptyDay, {}};
            const auto day = ParseDayOfMonth(piece);
            if (!day) return ConversionError{ConversionError::BadDayOfMonth, std::u16string(Trimmed(piece))};
            job.DaysOfMonth |= std::uint32_t{1} << (*day - 1);
        }
    } else {
        for (const Text piece : SplitAtCommas(fields.DayList)) {
            const Text name = Trimmed(piece);
            if (name.empty()) continue;  // "M," is Monday alone
            const auto day = ParseWeekday(name);
            if (!day) return ConversionError{ConversionError::BadWeekday, std::u16string(name)};
            job.DaysOfWeek |= std::uint8_t(1u << *day);
        }
    }

    if (!fields.Interactive) job.Flags |= JobNonInteractive;
    if (fields.EveryListedDay) job.Flags |= JobRunPeriodically;
    job.Command = fields.CommandLine;
    return std::nullopt;
}
