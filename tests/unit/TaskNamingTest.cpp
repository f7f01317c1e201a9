#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/TaskNaming.h"

namespace {

// What a folder of Windows' and Wine's Task Scheduler answers: a task looked up that isn't
// there, a name taken (Windows says ERROR_ALREADY_EXISTS, Wine ERROR_FILE_EXISTS), access denied.
constexpr std::uint32_t NotFound = 0x80070002, AlreadyExists = 0x800700B7, FileExists = 0x80070050,
                        AccessDenied = 0x80070005;

// A folder with the tasks `taken`, where the names in `raced` are taken by another program
// between the look-up and the registration, and where looking up `unreadable` fails.
class FakeFolder final : public TaskFolder {
public:
    std::vector<std::u16string> taken, raced, registered;
    std::u16string unreadable;
    std::uint32_t Find(const std::u16string& name) override {
        if (name == unreadable) return AccessDenied;
        return std::find(taken.begin(), taken.end(), name) != taken.end() ? 0 : NotFound;
    }
    std::uint32_t Register(const std::u16string& name, const TaskDefinition&) override {
        registered.push_back(name);
        const bool isTaken = std::find(raced.begin(), raced.end(), name) != raced.end();
        return isTaken ? (registered.size() % 2 ? AlreadyExists : FileExists) : 0;
    }
};

TEST(RegisterUnderFreeName, TheLowestNumberNoTaskHas) {
    const struct {
        std::vector<std::u16string> taken = {}, raced = {};
        std::u16string unreadable = {};
        NamedRegistration result;
        std::vector<std::u16string> registered = {};  // the names tried
    } rows[] = {
        {.result = {0, u"At1"}, .registered = {u"At1"}},
        {.taken = {u"At1"}, .result = {0, u"At2"}, .registered = {u"At2"}},
        {.taken = {u"At2", u"At3"}, .result = {0, u"At1"}, .registered = {u"At1"}},
        {.taken = {u"At1", u"At3"}, .result = {0, u"At2"}, .registered = {u"At2"}},
        {.taken = {u"At1", u"At2", u"At3", u"At4", u"At5", u"At6", u"At7", u"At8", u"At9"},
         .result = {0, u"At10"},
         .registered = {u"At10"}},
        {.taken = {u"At01", u"At1x", u"AT"}, .result = {0, u"At1"}, .registered = {u"At1"}},
        // Taken meanwhile: the next.
        {.raced = {u"At1"}, .result = {0, u"At2"}, .registered = {u"At1", u"At2"}},
        {.taken = {u"At2"}, .raced = {u"At1", u"At3"}, .result = {0, u"At4"}, .registered = {u"At1", u"At3", u"At4"}},
        // A name that can't be looked up.
        {.taken = {u"At1"}, .unreadable = u"At2", .result = {AccessDenied, u"At2"}},
    };
    for (const auto& row : rows) {
        FakeFolder folder;
        folder.taken = row.taken;
        folder.raced = row.raced;
        folder.unreadable = row.unreadable;
        const NamedRegistration result = RegisterUnderFreeName(folder, TaskDefinition{u"<Task/>", u"S-1-5-18", 5});
        EXPECT_EQ(result.result, row.result.result) << "row #" << (&row - rows);
        EXPECT_EQ(result.name, row.result.name) << "row #" << (&row - rows);
        EXPECT_EQ(folder.registered, row.registered) << "row #" << (&row - rows);
    }
}

}  // namespace
