#include <gtest/gtest.h>

#include "core/FillJobInfo.h"
#include "tests/unit/ExpectedTexts.h"

namespace {

using Expected::Defaults;

AtInfo Filled(const WindowFields& fields) {
    AtInfo job;
    const auto error = FillJobInfo(fields, job);
    EXPECT_FALSE(error.has_value()) << "failed on an entry that should convert";
    return job;
}

AtInfo WithDays(std::u16string days) {
    auto fields = Defaults();
    fields.DayList = std::move(days);
    return Filled(fields);
}

TEST(FillJobInfo, DefaultEntries) {
    AtInfo job{1, 0xFFFFFFFF, 0xFF, 0xFF, u"left over"};  // cleared first, whatever it held
    ASSERT_FALSE(FillJobInfo(Defaults(), job));
    EXPECT_EQ(job.JobTime, 61'200'000u);
    EXPECT_EQ(job.DaysOfMonth, 0u);
    EXPECT_EQ(job.DaysOfWeek, 0x7F);
    EXPECT_EQ(job.Flags, 0x10);
    EXPECT_EQ(job.Command, u"Calc.exe");
}

struct TimeCase {
    const char16_t* text;
    std::optional<std::uint32_t> ms;
};

TEST(ParseJobTime, AcceptsClockTimesAndRejectsTheRest) {
    const TimeCase cases[] = {
        {u"00:00", 0},
        {u"7:05", 25'500'000},
        {u"07:05", 25'500'000},
        {u"23:59", 86'340'000},
        {u"17:30:45", 63'000'000},  // seconds dropped, not rounded
        {u"17:30:59", 63'000'000},
        {u"  17:00\t", 61'200'000},
        {u"17:00\u00A0", 61'200'000},  // pasted: a no-break space, other Unicode spaces, line ends
        {u"\u3000\u2003 17:00\r\n", 61'200'000},
        {u"\u202F5:00\u205Fpm\u2009", 61'200'000},
        {u"\u200B17:00", std::nullopt},  // a zero-width space is a format character, not a blank
        {u"17", 61'200'000},
        {u"7", 25'200'000},
        {u"5:00 pm", 61'200'000},
        {u"5:00PM", 61'200'000},
        {u"5pM", 61'200'000},
        {u"12:30 am", 1'800'000},
        {u"12:30 pm", 45'000'000},
        {u"11:59 Am", 43'140'000},
        {u"", std::nullopt},
        {u"   ", std::nullopt},
        {u"abc", std::nullopt},
        {u"24:00", std::nullopt},
        {u"23:60", std::nullopt},
        {u"17:30:60", std::nullopt},
        {u"7:5", std::nullopt},
        {u"17:000", std::nullopt},
        {u"117", std::nullopt},
        {u"17:", std::nullopt},
        {u":30", std::nullopt},
        {u"17.30", std::nullopt},
        {u"-1:00", std::nullopt},
        {u"0 am", std::nullopt},
        {u"13 pm", std::nullopt},
        {u"5 p.m.", std::nullopt},
        {u"5:00 pmx", std::nullopt},
        {u"5 bm", std::nullopt},  // two letters ending in m, neither am nor pm
        {u"5 mm", std::nullopt},
        {u"5:00 om", std::nullopt},
        {u"5 m", std::nullopt},
        {u"5 ap", std::nullopt},
        {u"17:00 Uhr", std::nullopt},
        {u"１７:００", std::nullopt},  // full-width digits are not digits here
        // The ends of each range: hours 0 to 23, minutes and seconds 0 to 59, 12-hour 1 to 12.
        {u"0", 0},
        {u"0:00", 0},
        {u"09:59", 35'940'000},
        {u"19:09", 68'940'000},
        {u"23", 82'800'000},
        {u"17:00:00", 61'200'000},
        {u"1 am", 3'600'000},
        {u"12 am", 0},
        {u"12:59 am", 3'540'000},
        {u"12 pm", 43'200'000},
        {u"1 pm", 46'800'000},
        {u"11:59 pm", 86'340'000},
        {u"00 am", std::nullopt},
        {u"0 pm", std::nullopt},
        {u"13 am", std::nullopt},
        {u"17:30:5", std::nullopt},
        {u"17:30:", std::nullopt},
        {u"17:30:455", std::nullopt},
        {u"17:30:45:00", std::nullopt},
        // Three digits are never an hour.
        {u"100:00", std::nullopt},
        {u"017:00", std::nullopt},
        {u"123", std::nullopt},
        {u"000", std::nullopt},
        // The characters beside the digits, '/' and ':', are not digits.
        {u"/7:00", std::nullopt},
        {u"17:0/", std::nullopt},
        {u"17:/0", std::nullopt},
        {u"1::00", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::u16string text = c.text;
        EXPECT_EQ(ParseJobTime(text), c.ms) << "time text #" << (&c - cases);
    }
}

// Every character a pasted text may bring as a blank (tab, line ends and category Zs), and the
// characters next to them that are not blanks.
constexpr char16_t Blanks[] = {u'\t', u'\n', u'\r', u' ', u'\u00A0', u'\u1680', u'\u2000', u'\u2001', u'\u2002',
                               u'\u2003', u'\u2004', u'\u2005', u'\u2006', u'\u2007', u'\u2008', u'\u2009',
                               u'\u200A', u'\u202F', u'\u205F', u'\u3000'};
constexpr char16_t NotBlanks[] = {u'\u0008', u'\u000B', u'\u000C', u'\u000E', u'\u001F', u'!',     u'\u0085',
                                  u'\u009F', u'\u00A1', u'\u167F', u'\u1681', u'\u180E', u'\u1FFF', u'\u200B',
                                  u'\u2028', u'\u2029', u'\u202E', u'\u2030', u'\u205E', u'\u2060', u'\u2FFF',
                                  u'\u3001', u'\uFEFF'};

TEST(Blanks, AreTrimmedFromTheTimeTheDaysAndBeforeTheModeTest) {
    for (const char16_t c : Blanks) {
        const std::u16string b(1, c);
        EXPECT_EQ(ParseJobTime(b + u"17:00" + b), 61'200'000u) << std::hex << int(c);
        EXPECT_EQ(ParseJobTime(u"5" + b + u"pm"), 61'200'000u) << std::hex << int(c);
        EXPECT_TRUE(IsDayOfMonthList(b + u"5")) << std::hex << int(c);
        auto fields = WindowFields{};
        fields.RunTime = u"17:00";
        fields.DayList = b + u"13" + b + u"," + b + u"17" + b;
        AtInfo job;
        EXPECT_FALSE(FillJobInfo(fields, job)) << std::hex << int(c);
        EXPECT_EQ(job.DaysOfMonth, (1u << 12) | (1u << 16)) << std::hex << int(c);
        fields.DayList = b + u"M" + b + u"," + b + u"SU" + b;  // into the same record: cleared first
        EXPECT_FALSE(FillJobInfo(fields, job)) << std::hex << int(c);
        EXPECT_EQ(job.DaysOfWeek, 65) << std::hex << int(c);
    }
    for (const char16_t c : NotBlanks) {
        const std::u16string b(1, c);
        EXPECT_EQ(ParseJobTime(b + u"17:00"), std::nullopt) << std::hex << int(c);
        EXPECT_EQ(ParseJobTime(u"17:00" + b), std::nullopt) << std::hex << int(c);
        EXPECT_FALSE(IsDayOfMonthList(b + u"5")) << std::hex << int(c);
        auto fields = WindowFields{};
        fields.RunTime = u"17:00";
        fields.DayList = u"13," + b + u"17";
        AtInfo job;
        EXPECT_TRUE(FillJobInfo(fields, job)) << std::hex << int(c);
    }
}

struct DayCase {
    const char16_t* list;
    std::uint32_t daysOfMonth;
    std::uint8_t daysOfWeek;
};

TEST(FillJobInfo, DayLists) {
    const DayCase cases[] = {
        {u"13,17,28", 134'287'360, 0},
        {u" 13, 17", (1u << 12) | (1u << 16), 0},
        {u"1", 1, 0},
        {u"31", 1'073'741'824, 0},
        {u"13,13", 4096, 0},  // a repeated day is that day once
        {u"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31", 0x7FFF'FFFF, 0},
        {u"07", 1u << 6, 0},
        {u"0013", 1u << 12, 0},  // leading zeros, any number of them
        {u"00000000000000000000031", 1u << 30, 0},
        {u"13\u00A0,\u300017\r\n", (1u << 12) | (1u << 16), 0},  // pasted blanks around the pieces
        {u"\r\n\u00A013", 1u << 12, 0},
        {u"\u2003M,\u202FT\u00A0", 0, 3},
        {u"m,t", 0, 3},
        {u"M, T", 0, 3},  // pieces are trimmed
        {u"TH", 0, 8},
        {u"T", 0, 2},
        {u"M,", 0, 1},
        {u",,M, ,", 0, 1},
        {u"", 0, 0},
        {u"M,M", 0, 1},
        {u"SU,SU", 0, 64},
        {u"SU,SU,SU,SU", 0, 64},
        {u"su,Su,sU", 0, 64},
        {u"M,T,W,TH,F,S,SU", 0, 127},
        // Each day alone, in either case, and the ends and tens of the month.
        {u"W", 0, 4},
        {u"F", 0, 16},
        {u"S", 0, 32},
        {u"SU", 0, 64},
        {u"m", 0, 1},
        {u"w", 0, 4},
        {u"th", 0, 8},
        {u"f", 0, 16},
        {u"s", 0, 32},
        {u"sU", 0, 64},
        {u"9", 1u << 8, 0},
        {u"10", 1u << 9, 0},
        {u"19", 1u << 18, 0},
        {u"20", 1u << 19, 0},
        {u"29", 1u << 28, 0},
        {u"30", 1u << 29, 0},
        {u"030", 1u << 29, 0},
        {u"01,31", 1u | (1u << 30), 0},
    };
    for (const auto& c : cases) {
        const AtInfo job = WithDays(c.list);
        EXPECT_EQ(job.DaysOfMonth, c.daysOfMonth) << "day list #" << (&c - cases);
        EXPECT_EQ(job.DaysOfWeek, c.daysOfWeek) << "day list #" << (&c - cases);
    }
}

TEST(IsDayOfMonthList, LeadingNumberAboveZero) {
    const struct {
        const char16_t* list;
        bool dayOfMonth;
    } cases[] = {
        {u"13,17,28", true},
        {u" \t\n5", true},
        {u"0.5", true},
        {u"0.01", true},
        {u".5", true},
        {u"+3", true},
        {u"1x", true},
        {u"1", true},
        {u"9", true},
        {u"10", true},  // a number that ends in 0
        {u"20,30", true},
        {u"100", true},
        {u"M,T,SU", false},
        {u"0", false},
        {u"00", false},
        {u"0,5", false},
        {u"-3,4", false},
        {u"-0", false},
        {u"+0", false},
        {u"0.0", false},
        {u"", false},
        {u".,5", false},
        {u"/5", false},
        {u":5", false},
        {u"１", false},  // a full-width digit
        // A sign after blanks counts; blanks between a sign and its digits end the number.
        {u" +3", true},
        {u"\u00A0+3", true},
        {u" -3", false},
        {u"\t-3,4", false},
        {u"+ 3", false},
        {u"- 3", false},
        {u"+\u00A03", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsDayOfMonthList(c.list), c.dayOfMonth) << "list #" << (&c - cases);
}

struct FailureCase {
    const char16_t* time;
    const char16_t* days;
    ConversionError::Kind kind;
    const char16_t* piece;
};

TEST(FillJobInfo, FailuresNameTheKindAndThePiece) {
    const FailureCase cases[] = {
        {u"", u"M", ConversionError::BadTime, u""},
        {u" abc ", u"M", ConversionError::BadTime, u"abc"},
        {u"25:00", u"13", ConversionError::BadTime, u"25:00"},
        {u"17:00", u"13,,17", ConversionError::EmptyDay, u""},
        {u"17:00", u"13,", ConversionError::EmptyDay, u""},
        {u"17:00", u"13, ,17", ConversionError::EmptyDay, u""},
        {u"17:00", u"13,x", ConversionError::BadDayOfMonth, u"x"},
        {u"17:00", u"1,0", ConversionError::BadDayOfMonth, u"0"},
        {u"17:00", u"32", ConversionError::BadDayOfMonth, u"32"},
        {u"17:00", u"1,99999999999", ConversionError::BadDayOfMonth, u"99999999999"},
        {u"17:00", u"1,000", ConversionError::BadDayOfMonth, u"000"},
        {u"17:00", u"1,0032", ConversionError::BadDayOfMonth, u"0032"},
        {u"17:00", u"1,4294967309", ConversionError::BadDayOfMonth, u"4294967309"},  // 13 after overflow
        {u"17:00", u"1,1\u00A02", ConversionError::BadDayOfMonth, u"1\u00A02"},
        {u"17:00\u00A0", u"M,\u200BT", ConversionError::BadWeekday, u"\u200BT"},
        {u"17:00", u"+3", ConversionError::BadDayOfMonth, u"+3"},
        {u"17:00", u"1.5", ConversionError::BadDayOfMonth, u"1.5"},
        {u"17:00", u"13, -2", ConversionError::BadDayOfMonth, u"-2"},
        {u"17:00", u"13,M", ConversionError::BadDayOfMonth, u"M"},
        {u"17:00", u"MO,TU", ConversionError::BadWeekday, u"MO"},
        {u"17:00", u"M,x", ConversionError::BadWeekday, u"x"},
        {u"17:00", u"0,5", ConversionError::BadWeekday, u"0"},
        {u"17:00", u"M;T", ConversionError::BadWeekday, u"M;T"},
        {u"17:00", u"M T", ConversionError::BadWeekday, u"M T"},
        {u"17:00", u"10,0", ConversionError::BadDayOfMonth, u"0"},
        {u"17:00", u"1,00", ConversionError::BadDayOfMonth, u"00"},
        {u"17:00", u"100", ConversionError::BadDayOfMonth, u"100"},
        {u"17:00", u"1,320", ConversionError::BadDayOfMonth, u"320"},
        {u"17:00", u"ſu", ConversionError::BadWeekday, u"ſu"},  // upper-cased only A to Z
        {u"17:00", u"ｍ", ConversionError::BadWeekday, u"ｍ"},
        {u"17:00", u"MT", ConversionError::BadWeekday, u"MT"},
        {u"17:00", u"SUN", ConversionError::BadWeekday, u"SUN"},
    };
    for (const auto& c : cases) {
        auto fields = Defaults();
        fields.RunTime = c.time;
        fields.DayList = c.days;
        AtInfo job;
        const auto error = FillJobInfo(fields, job);
        ASSERT_TRUE(error.has_value()) << "case #" << (&c - cases);
        EXPECT_EQ(error->kind, c.kind) << "case #" << (&c - cases);
        EXPECT_EQ(error->piece, c.piece) << "case #" << (&c - cases);
    }
}

TEST(FillJobInfo, SwitchesSetFlagsWithDaysAndWithout) {
    struct {
        bool interactive;
        bool every;
        std::uint8_t flags;
    } const cases[] = {{false, false, 0x10}, {true, false, 0x00}, {false, true, 0x11}, {true, true, 0x01}};
    for (const auto& c : cases) {
        for (const char16_t* days : {u"M,T,W,TH,F,S,SU", u""}) {
            auto fields = Defaults();
            fields.DayList = days;
            fields.Interactive = c.interactive;
            fields.EveryListedDay = c.every;
            const AtInfo job = Filled(fields);
            EXPECT_EQ(job.Flags, c.flags) << c.interactive << "/" << c.every;
            EXPECT_EQ(job.DaysOfWeek, days[0] ? 0x7F : 0) << c.interactive << "/" << c.every;
            EXPECT_EQ(job.DaysOfMonth, 0u);
        }
    }
}

TEST(FillJobInfo, CommandIsTakenAsTyped) {
    for (const char16_t* command : {u"", u"  \"C:\\Program Files\\x.exe\" /a ", u"Grüße 😀\t"}) {
        auto fields = Defaults();
        fields.CommandLine = command;
        EXPECT_EQ(Filled(fields).Command, command);
    }
}

}  // namespace
