# Native build: the unit tests.

find_package(GTest REQUIRED)
enable_testing()
add_executable(unit_tests
    tests/unit/FillJobInfoTest.cpp
    tests/unit/AtInfoBufferTest.cpp
    tests/unit/ScheduleCommandTest.cpp)
target_link_libraries(unit_tests PRIVATE core GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unit_tests)
