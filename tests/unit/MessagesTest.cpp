#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/Digits.h"
#include "core/Messages.h"
#include "tests/unit/ExpectedTexts.h"

namespace {

using Expected::NotAWeekday;

TEST(Fill, EachPlaceOnceAndNothingElse) {
    const struct {
        std::u16string text, filled;
    } rows[] = {
        {u"%1 und %2", u"a und b"},
        {u"%2%1%2", u"bab"},
        {u"%3 bleibt, %0 auch, % auch, 100%", u"%3 bleibt, %0 auch, % auch, 100%"},
        {u"%1%", u"a%"},
        {u"", u""},
    };
    for (const auto& row : rows) EXPECT_EQ(Fill(row.text, {u"a", u"b"}), row.filled) << "row #" << (&row - rows);
    EXPECT_EQ(Fill(u"%1 %2", {u"%2", u"x"}), u"%2 x") << "what a value brings is not filled again";
}

// Numbers as the messages write them: unsigned, no grouping, no leading zeros but to a width.
TEST(Digits, UnsignedInEitherBaseToAWidth) {
    const struct {
        std::uint32_t n, base;
        std::size_t width;
        std::u16string written;
    } rows[] = {
        {0, 10, 1, u"0"},          {9, 10, 1, u"9"},          {10, 10, 1, u"10"},
        {2'147'483'648u, 10, 1, u"2147483648"},                {4'294'967'295u, 10, 1, u"4294967295"},
        {0, 16, 1, u"0"},          {0xF, 16, 1, u"F"},        {0x10, 16, 1, u"10"},
        {0xABCDEF, 16, 1, u"ABCDEF"}, {5, 16, 8, u"00000005"}, {0x80070005, 16, 8, u"80070005"},
        {0x12345, 16, 4, u"12345"}, {7, 10, 2, u"07"},
    };
    for (const auto& row : rows) EXPECT_EQ(Digits(row.n, row.base, row.width), row.written) << row.n;
}

// A quoted piece: at most 40 code units, never half a surrogate pair, and "…" when cut.
TEST(ConversionErrorText, LongPiecesAreCutWhole) {
    const std::u16string x39(39, u'x'), x40(40, u'x');
    const struct {
        std::u16string piece, quoted;
    } rows[] = {
        {x40, u"„" + x40 + u"“"},                          // exactly the cut length
        {x40 + u"y", u"„" + x40 + u"…“"},                  // one more
        {x39.substr(1) + u"😀", u"„" + x39.substr(1) + u"😀“"},  // a pair that ends at the cut
        {x39 + u"😀y", u"„" + x39 + u"…“"},                 // a pair across the cut
        {x39 + u"\xDBFF\xDFFF" + u"y", u"„" + x39 + u"…“"},  // the last pair, across the cut
        {x39 + u"\xDC00" + u"y", u"„" + x39 + u"[U+DC00]…“"},  // a low surrogate alone at the cut
        {std::u16string(1 << 20, u'9'), u"„" + std::u16string(40, u'9') + u"…“"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ConversionErrorText({ConversionError::BadWeekday, row.piece}), NotAWeekday(row.quoted))
            << "row #" << (&row - rows);
}

TEST(ConversionErrorText, InvisibleAndReorderingCharactersAreShownByTheirCode) {
    const struct {
        std::u16string piece, quoted;
    } rows[] = {
        {u"\u202Eabc", u"„[U+202E]abc“"},  // right-to-left override
        {u"M\u2066T\u2069", u"„M[U+2066]T[U+2069]“"},
        {u"\u200FM\u200E", u"„[U+200F]M[U+200E]“"},
        {u"M\tT", u"„M[U+0009]T“"},
        {u"x\uFEFF\u00AD", u"„x[U+FEFF][U+00AD]“"},
        {u"\U000E0041x", u"„[U+E0041]x“"},  // a tag character, as a surrogate pair
        {u"Grüße 😀", u"„Grüße 😀“"},       // printable, whatever the script
        // The surrogates by their ends, as pairs and alone, and their neighbours.
        {u"\xD800\xDC00", u"„\U00010000“"},
        {u"\xDBFF\xDFFF", u"„\U0010FFFF“"},
        {u"\xD800\xDFFF\xDBFF\xDC00", u"„\U000103FF\U0010FC00“"},
        {u"\xD800x", u"„[U+D800]x“"},
        {u"x\xDBFF", u"„x[U+DBFF]“"},
        {u"\xDC00x", u"„[U+DC00]x“"},
        {u"x\xDFFF", u"„x[U+DFFF]“"},
        {u"\xDBFF\xDBFF\xDFFF", u"„[U+DBFF]\U0010FFFF“"},
        {u"\xDC00\xDC00", u"„[U+DC00][U+DC00]“"},
        {u"\xD7FF\xDC00", u"„\uD7FF[U+DC00]“"},
        {u"\xD800\xE000", u"„[U+D800]\uE000“"},
        {u"\xDBFF\xD7FF", u"„[U+DBFF]\uD7FF“"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ConversionErrorText({ConversionError::BadWeekday, row.piece}), NotAWeekday(row.quoted))
            << "row #" << (&row - rows);

    // Each range of invisible characters, by its first and last, and the characters just
    // outside it, which are shown as they are.
    const struct {
        char32_t first, last;
    } invisible[] = {{0x00, 0x1F},       {0x7F, 0x9F},     {0xAD, 0xAD},       {0x600, 0x605},   {0x61C, 0x61C},
                     {0x6DD, 0x6DD},     {0x70F, 0x70F},   {0x180E, 0x180E},   {0x200B, 0x200F}, {0x2028, 0x202E},
                     {0x2060, 0x206F},   {0xFEFF, 0xFEFF}, {0xFFF9, 0xFFFB},   {0xD800, 0xDFFF}, {0x1D173, 0x1D17A},
                     {0xE0000, 0xE007F}};
    const auto utf16 = [](char32_t c) {
        if (c < 0x10000) return std::u16string(1, char16_t(c));
        return std::u16string{char16_t(0xD800 + ((c - 0x10000) >> 10)), char16_t(0xDC00 + ((c - 0x10000) & 0x3FF))};
    };
    const auto shown = [&](char32_t c) {
        return ConversionErrorText({ConversionError::BadWeekday, u"a" + utf16(c) + u"b"});
    };
    for (const auto& range : invisible) {
        for (const char32_t c : {range.first, range.last}) {
            char code[16];
            std::snprintf(code, sizeof code, "%04X", unsigned(c));
            const std::u16string expected = u"„a[U+" + std::u16string(code, code + std::strlen(code)) + u"]b“";
            EXPECT_EQ(shown(c), NotAWeekday(expected)) << std::hex << std::uint32_t(c);
        }
        for (const char32_t c : {range.first - 1, range.last + 1}) {
            bool inside = false;
            for (const auto& other : invisible) inside = inside || (c >= other.first && c <= other.last);
            if (c == 0xFFFFFFFF || inside) continue;  // below 0, or the next range's
            EXPECT_EQ(shown(c), NotAWeekday(u"„a" + utf16(c) + u"b“")) << std::hex << std::uint32_t(c);
        }
    }
}


}  // namespace
