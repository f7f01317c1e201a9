#include <gtest/gtest.h>

#include "core/TargetClock.h"

namespace {

constexpr LocalTime Here{2026, 12, 8, 43'200'000};

// The target's local date and time from what it tells, read off a calendar for each row: hours
// ahead of GMT and behind it, across midnight, a month's end, a year's end and a leap day; half
// hours; the ends of the time it can tell. Where it told no offset, or nothing, this computer's.
TEST(TargetLocalTime, ItsGmtTimeLessItsOffset) {
    const struct {
        std::optional<RemoteClock> target;
        LocalTime local;
    } rows[] = {
        {RemoteClock{1'796'772'600, 0, -120}, {2026, 12, 9, 5'400'000}},     // 23:30 GMT, two hours ahead
        {RemoteClock{1'796'079'600, 0, -180}, {2026, 12, 1, 7'200'000}},     // into December
        {RemoteClock{1'798'754'400, 0, -120}, {2027, 1, 1, 0}},              // into 2027, at midnight
        {RemoteClock{1'796'778'000, 0, 300}, {2026, 12, 8, 72'000'000}},     // 01:00 GMT, five hours behind
        {RemoteClock{1'803'870'000, 0, 480}, {2027, 2, 28, 68'400'000}},    // back into February
        {RemoteClock{1'835'488'800, 0, 300}, {2028, 2, 29, 75'600'000}},    // back to a leap day
        {RemoteClock{1'796'760'000, 0, -330}, {2026, 12, 9, 5'400'000}},     // five and a half hours ahead
        {RemoteClock{1'796'781'600, 0, 210}, {2026, 12, 8, 81'000'000}},     // three and a half hours behind
        {RemoteClock{1'796'733'296, 0, 0}, {2026, 12, 8, 45'296'000}},       // on GMT, to the second
        {RemoteClock{1'796'733'296, 57, 0}, {2026, 12, 8, 45'296'570}},      // and its hundredths
        {RemoteClock{4'107'540'600, 0, -60}, {2100, 3, 1, 1'800'000}},       // 2100 has no 29 February
        {RemoteClock{4'294'967'295, 99, 0}, {2106, 2, 7, 23'295'990}},       // the last second it can tell
        {RemoteClock{0, 0, 0}, {1970, 1, 1, 0}},
        {RemoteClock{0, 0, 60}, {1969, 12, 31, 82'800'000}},                 // an hour behind 1970
        {RemoteClock{1'796'733'296, 0, -1}, Here},                           // no offset told
        {std::nullopt, Here},                                                // the call failed
    };
    for (const auto& row : rows) EXPECT_EQ(TargetLocalTime({row.target, Here}), row.local) << "row #" << (&row - rows);
}

}  // namespace
