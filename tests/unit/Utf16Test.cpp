#include <gtest/gtest.h>

#include "core/Utf16.h"

namespace {

// Each length of UTF-8 sequence at both of its ends, and the texts of the catalogue's kind.
TEST(Utf16, EveryLengthOfSequenceAtBothEnds) {
    const struct {
        std::u8string utf8;
        std::u16string utf16;
    } rows[] = {
        {u8"", u""}, {std::u8string(1, u8'\0'), std::u16string(1, u'\0')}, {u8"\u007F", u"\u007F"},
        {u8"\u0080", u"\u0080"}, {u8"\u07FF", u"\u07FF"}, {u8"\u0800", u"\u0800"}, {u8"\uFFFF", u"\uFFFF"},
        {u8"\U00010000", u"\U00010000"}, {u8"\U0010FFFF", u"\U0010FFFF"},
        {u8"Größe „SRV-7“ … 😀 𝄞!", u"Größe „SRV-7“ … 😀 𝄞!"},
    };
    for (const auto& row : rows) EXPECT_EQ(Utf16(row.utf8), row.utf16) << "row #" << (&row - rows);
}

}  // namespace
