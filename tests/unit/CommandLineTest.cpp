#include <gtest/gtest.h>

#include <string>

#include "core/CommandLine.h"

namespace {

TEST(SplitCommandLine, CommandsATaskCantHold) {
    const struct {
        std::u16string command;
        CommandProblem::Kind kind;
    } rows[] = {
        {u"", CommandProblem::NoProgram},
        {u" \t ", CommandProblem::NoProgram},
        {u"\"\" x", CommandProblem::NoProgram},
        {u"\"" + std::u16string(261, u'p') + u"\"", CommandProblem::TooLong},
        {std::u16string(261, u'p') + u" q", CommandProblem::TooLong},
        {u"a\x01", CommandProblem::Unwritable},
        {u"a b\x1F", CommandProblem::Unwritable},
        {u"a \x0B", CommandProblem::Unwritable},
        {u"a \xD800", CommandProblem::Unwritable},
        {u"a \xDBFF", CommandProblem::Unwritable},
        {u"a \xDC00x", CommandProblem::Unwritable},
        {u"a \xDFFF", CommandProblem::Unwritable},
        {u"a \xFFFE", CommandProblem::Unwritable},
        {u"a \xFFFF", CommandProblem::Unwritable},
    };
    for (const auto& row : rows) {
        const auto parts = SplitCommandLine(row.command);
        ASSERT_TRUE(parts.problem) << "row #" << (&row - rows);
        EXPECT_EQ(parts.problem->kind, row.kind) << "row #" << (&row - rows);
    }
}

}  // namespace
