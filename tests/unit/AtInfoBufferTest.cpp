#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "job/ScheduleJobsAdding.h"

namespace {

TEST(AtInfoBuffer, LittleEndianMembersAndZeroFill) {
    AT_INFO job;
    job.JobTime = 61'200'000;  // 0x03A5D680
    job.DaysOfMonth = 134'287'360;
    job.DaysOfWeek = 0x7F;
    job.Flags = 0x11;
    job.Command = u"Calc.exe";

    const auto buffer = ScheduleJobsAdding::ForCall(job);
    std::array<unsigned char, 12> bytes{};
    std::memcpy(bytes.data(), &buffer, bytes.size());
    const std::array<unsigned char, 12> expected = {0x80, 0xD6, 0xA5, 0x03, 0x00, 0x10, 0x01, 0x08, 0x7F, 0x11, 0, 0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(std::u16string(buffer.Command), u"Calc.exe");
    EXPECT_EQ(buffer.Command, job.Command.c_str()) << "the buffer borrows the record's text";
}

TEST(AtInfoBuffer, EmptyCommandIsAnEmptyStringNotNull) {
    const AT_INFO job;
    const auto buffer = ScheduleJobsAdding::ForCall(job);
    ASSERT_NE(buffer.Command, nullptr);
    EXPECT_EQ(buffer.Command[0], u'\0');
}

}  // namespace
