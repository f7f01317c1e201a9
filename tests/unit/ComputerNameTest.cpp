#include <gtest/gtest.h>

#include "core/ComputerName.h"

namespace {

TEST(TaskSchedulerName, WithoutLeadingBackslashesOrBlanksAround) {
    const struct {
        std::u16string typed, name;
    } rows[] = {
        {u"SRV-7", u"SRV-7"},
        {u"\\SRV-7", u"SRV-7"},
        {u"\\\\SRV-7", u"SRV-7"},
        {u"\\\\\\SRV-7", u"SRV-7"},
        {u" \t\\\\SRV-7 \t", u"SRV-7"},
        {u"\\\\ SRV-7", u"SRV-7"},
        {u"srv-7.example.com", u"srv-7.example.com"},
        {u"\\\\10.0.0.7", u"10.0.0.7"},
        {u"SRV\\7\\", u"SRV\\7\\"},  // backslashes elsewhere are the name's
        {u"\\\\SRV 7", u"SRV 7"},
        {u"", u""},  // this computer
        {u"\\\\", u""},
        {u" \\ \t", u""},
    };
    for (const auto& row : rows) EXPECT_EQ(TaskSchedulerName(row.typed), row.name) << "row #" << (&row - rows);
}

}  // namespace
