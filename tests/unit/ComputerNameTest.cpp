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

TEST(IsThisComputer, EveryNameOfItsOwnInEveryFormAndNoOther) {
    const ThisComputerNames here{u"TESSARO1", u"tessaro1", u"tessaro1.example.org"};
    const struct {
        std::u16string typed;
        bool here;
    } rows[] = {
        {u"", true}, {u" \\\\ ", true}, {u"TESSARO1", true}, {u"tessaro1", true}, {u"TeSsArO1", true},
        {u"\\\\TESSARO1", true}, {u" \\\\tessaro1\t", true}, {u"tessaro1.example.org", true},
        {u"\\\\TESSARO1.EXAMPLE.ORG", true}, {u"localhost", true}, {u"\\\\LOCALHOST", true}, {u"127.0.0.1", true},
        {u"\\\\::1", true}, {u"TESSARO", false}, {u"TESSARO12", false}, {u"tessaro1.example", false},
        {u"tessaro1.example.org.", false}, {u"127.0.0.2", false}, {u"SRV-7", false}, {u"TESSARO1\\", false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsThisComputer(row.typed, here), row.here) << "row #" << (&row - rows);

    // Only the letters a to z fold, onto A to Z: not the characters just before and after either.
    const ThisComputerNames edges{u"@AZ[", u"", u""};
    EXPECT_TRUE(IsThisComputer(u"@az[", edges));
    EXPECT_FALSE(IsThisComputer(u"`AZ[", edges));
    EXPECT_FALSE(IsThisComputer(u"@AZ{", edges));
}

TEST(IsThisComputer, NamesItCouldNotReadMatchNothing) {
    EXPECT_TRUE(IsThisComputer(u"", {}));
    EXPECT_FALSE(IsThisComputer(u"SRV-7", {}));
    EXPECT_TRUE(IsThisComputer(u"localhost", {}));
}

}  // namespace
