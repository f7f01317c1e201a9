#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/CommandLine.h"

namespace {

// How the platform splits a command line: the program quoted or up to a blank, the arguments
// after the blanks that follow it, as they stand.
TEST(SplitCommandLine, ProgramAndArguments) {
    const struct {
        std::u16string line, program, arguments;
    } rows[] = {
        {u"Calc.exe", u"Calc.exe", u""},
        {u"  notepad.exe \t a & <b>\r\n ", u"notepad.exe", u"a & <b>\r\n "},
        {u"\"C:\\Program Files\\x.exe\" /a \"b c\"", u"C:\\Program Files\\x.exe", u"/a \"b c\""},
        {u"\"C:\\x y.exe", u"C:\\x y.exe", u""},  // an unclosed quote runs to the end
        {u"x\"y z\"", u"x\"y", u"z\""},
        {u"\"a\"b c", u"a", u"b c"},
        {u"p\t\tq", u"p", u"q"},
        {u"p \x7F\x80\uFFFD\U0001F600", u"p", u"\x7F\x80\uFFFD\U0001F600"},
        // Surrogate pairs by their ends: U+10000 and U+10FFFF, in the program and the arguments.
        {u"\"\xD800\xDC00\" \xDBFF\xDFFF", u"\xD800\xDC00", u"\xDBFF\xDFFF"},
        {u"\xDBFF\xDFFF \xD800\xDC00", u"\xDBFF\xDFFF", u"\xD800\xDC00"},
    };
    for (const auto& row : rows) {
        const auto parts = SplitCommandLine(row.line);
        EXPECT_EQ(parts.program, row.program) << "row #" << (&row - rows);
        EXPECT_EQ(parts.arguments, row.arguments) << "row #" << (&row - rows);
        EXPECT_FALSE(parts.problem) << "row #" << (&row - rows);
    }
}

TEST(SplitCommandLine, CommandsWithoutAProgramOrTooLong) {
    const struct {
        std::u16string command;
        CommandProblem::Kind kind;
    } rows[] = {
        {u"", CommandProblem::NoProgram},
        {u" \t ", CommandProblem::NoProgram},
        {u"\"\" x", CommandProblem::NoProgram},
        {u"\"" + std::u16string(261, u'p') + u"\"", CommandProblem::TooLong},
        {std::u16string(261, u'p') + u" q", CommandProblem::TooLong},
    };
    for (const auto& row : rows) {
        const auto parts = SplitCommandLine(row.command);
        ASSERT_TRUE(parts.problem) << "row #" << (&row - rows);
        EXPECT_EQ(parts.problem->kind, row.kind) << "row #" << (&row - rows);
    }
    EXPECT_FALSE(SplitCommandLine(u"\"" + std::u16string(260, u'p') + u"\" q").problem) << "260 is the limit";
}

// Each kind of character a task can't hold, at the start, in the middle and at the end of the
// program (quoted, so that a blank can stand in it too) and of the arguments; and those that
// only a program can't have: a file's path has no line end or tab.
TEST(SplitCommandLine, EveryCharacterATaskCantHoldWhereverItStands) {
    const struct {
        std::u16string c;
        bool inArguments;  // refused in the arguments too
    } kinds[] = {
        {u"\x01", true},   {u"\x08", true},   {u"\x0B", true},   {u"\x0C", true},   {u"\x1F", true},
        {u"\xD800", true}, {u"\xDBFF", true}, {u"\xDC00", true}, {u"\xDFFF", true}, {u"\xFFFE", true},
        {u"\xFFFF", true}, {u"\n", false},    {u"\r", false},    {u"\t", false},
    };
    for (const auto& kind : kinds) {
        const std::u16string& c = kind.c;
        for (const std::u16string& program : {c + u"ab", u"a" + c + u"b", u"ab" + c}) {
            const auto parts = SplitCommandLine(u"\"" + program + u"\" x");
            ASSERT_TRUE(parts.problem) << std::hex << int(c[0]) << " in the program";
            EXPECT_EQ(parts.problem->kind, CommandProblem::Unwritable) << std::hex << int(c[0]);
        }
        for (const std::u16string& arguments : {c + u"ab", u"a" + c + u"b", u"ab" + c}) {
            const auto parts = SplitCommandLine(u"p " + arguments);
            EXPECT_EQ(parts.problem.has_value(), kind.inArguments) << std::hex << int(c[0]) << " in the arguments";
        }
    }
    // A line end inside a program that is not quoted belongs to the program.
    for (const char16_t* line : {u"note\npad.exe x", u"notepad.exe\r\n", u"\r\nnotepad.exe"})
        EXPECT_TRUE(SplitCommandLine(line).problem) << "a line end in the program";
}

}  // namespace
