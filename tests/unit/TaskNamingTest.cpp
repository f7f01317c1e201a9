#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/TaskNaming.h"

namespace {

// What a folder of Windows' and Wine's Task Scheduler answers: a task looked up that isn't
// there, a name taken (Windows says ERROR_ALREADY_EXISTS, Wine ERROR_FILE_EXISTS); and other
// answers: access denied, out of memory, the server gone, and the successes that
// ITaskFolder::RegisterTask documents besides S_OK.
constexpr std::uint32_t NotFound = 0x80070002, AlreadyExists = 0x800700B7, FileExists = 0x80070050,
                        AccessDenied = 0x80070005, OutOfMemory = 0x8007000E, Unavailable = 0x800706BA,
                        SomeTriggersFailed = 0x0004131B, BatchLogonProblem = 0x0004131C, False = 1;

// A folder with the tasks `taken`; the names in `found` answer the look-up as given, those in
// `registering` the registration (`raced` ones are taken by another program between the two);
// with `allTaken`, every name is there, and with `allRaced` taken at each registration.
class FakeFolder final : public TaskFolder {
public:
    std::vector<std::u16string> taken, raced, registered;
    std::map<std::u16string, std::uint32_t> found, registering;
    bool allTaken = false, allRaced = false;
    int lookUps = 0;
    std::uint32_t Find(const std::u16string& name) override {
        ++lookUps;
        if (found.count(name)) return found[name];
        return allTaken || std::find(taken.begin(), taken.end(), name) != taken.end() ? 0 : NotFound;
    }
    std::uint32_t Register(const std::u16string& name, const TaskDefinition&) override {
        registered.push_back(name);
        if (registering.count(name)) return registering[name];
        const bool isTaken = allRaced || std::find(raced.begin(), raced.end(), name) != raced.end();
        return isTaken ? (registered.size() % 2 ? AlreadyExists : FileExists) : 0;
    }
};

std::vector<std::u16string> Names(int first, int last) {
    std::vector<std::u16string> names;
    for (int n = first; n <= last; ++n) {
        const std::string digits = std::to_string(n);
        names.push_back(u"At" + std::u16string(digits.begin(), digits.end()));
    }
    return names;
}

TEST(RegisterUnderFreeName, TheLowestNumberNoTaskHas) {
    const struct {
        std::vector<std::u16string> taken = {}, raced = {};
        std::map<std::u16string, std::uint32_t> found = {}, registering = {};
        NamedRegistration result;
        std::vector<std::u16string> registered = {};  // the names tried
    } rows[] = {
        {.result = {0, u"At1"}, .registered = {u"At1"}},
        {.taken = {u"At1"}, .result = {0, u"At2"}, .registered = {u"At2"}},
        {.taken = {u"At2", u"At3"}, .result = {0, u"At1"}, .registered = {u"At1"}},
        {.taken = {u"At1", u"At3"}, .result = {0, u"At2"}, .registered = {u"At2"}},
        {.taken = Names(1, 9), .result = {0, u"At10"}, .registered = {u"At10"}},
        {.taken = Names(1, 99), .result = {0, u"At100"}, .registered = {u"At100"}},
        {.taken = {u"At01", u"At1x", u"AT"}, .result = {0, u"At1"}, .registered = {u"At1"}},
        // Taken meanwhile, in Windows' words and in Wine's: the next.
        {.raced = {u"At1"}, .result = {0, u"At2"}, .registered = {u"At1", u"At2"}},
        {.taken = {u"At2"}, .raced = {u"At1", u"At3"}, .result = {0, u"At4"}, .registered = {u"At1", u"At3", u"At4"}},
        // A look-up that answers a success other than S_OK: a task is there too.
        {.found = {{u"At1", False}}, .result = {0, u"At2"}, .registered = {u"At2"}},
        // Any other failure of a look-up stops there, and is the answer.
        {.found = {{u"At1", AccessDenied}}, .result = {AccessDenied, u"At1"}},
        {.taken = {u"At1"}, .found = {{u"At2", OutOfMemory}}, .result = {OutOfMemory, u"At2"}},
        {.found = {{u"At1", Unavailable}}, .result = {Unavailable, u"At1"}},
        // And of a registration.
        {.registering = {{u"At1", AccessDenied}}, .result = {AccessDenied, u"At1"}, .registered = {u"At1"}},
        {.raced = {u"At1"}, .registering = {{u"At2", Unavailable}}, .result = {Unavailable, u"At2"},
         .registered = {u"At1", u"At2"}},
        // The documented successes besides S_OK: registered under that name.
        {.registering = {{u"At1", SomeTriggersFailed}}, .result = {SomeTriggersFailed, u"At1"}, .registered = {u"At1"}},
        {.registering = {{u"At1", BatchLogonProblem}}, .result = {BatchLogonProblem, u"At1"}, .registered = {u"At1"}},
    };
    for (const auto& row : rows) {
        FakeFolder folder;
        folder.taken = row.taken;
        folder.raced = row.raced;
        folder.found = row.found;
        folder.registering = row.registering;
        const NamedRegistration result = RegisterUnderFreeName(folder, TaskDefinition{u"<Task/>", u"S-1-5-18", 5});
        EXPECT_EQ(result.result, row.result.result) << "row #" << (&row - rows);
        EXPECT_EQ(result.name, row.result.name) << "row #" << (&row - rows);
        EXPECT_EQ(folder.registered, row.registered) << "row #" << (&row - rows);
    }
}

// A folder in which every name is taken, found so or taken at each registration: a failure
// after a bounded number of tries, never a registration.
TEST(RegisterUnderFreeName, EveryNameTakenIsAFailure) {
    FakeFolder found;
    found.allTaken = true;
    const NamedRegistration none = RegisterUnderFreeName(found, TaskDefinition{u"<Task/>", u"S-1-5-18", 5});
    EXPECT_TRUE(none.result & 0x80000000) << std::hex << none.result;
    EXPECT_TRUE(found.registered.empty());
    EXPECT_LE(found.lookUps, 10'000);

    FakeFolder raced;
    raced.allRaced = true;
    const NamedRegistration lost = RegisterUnderFreeName(raced, TaskDefinition{u"<Task/>", u"S-1-5-18", 5});
    EXPECT_TRUE(lost.result & 0x80000000) << std::hex << lost.result;
    EXPECT_EQ(raced.registered.size(), 10'000u);
}

}  // namespace
