# Native build: unit tests (optionally sanitized), fuzzer and micro-benchmarks.
option(SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

find_package(GTest REQUIRED)
enable_testing()
add_executable(unit_tests
    tests/unit/FillJobInfoTest.cpp
    tests/unit/AtInfoBufferTest.cpp
    tests/unit/ScheduleCommandTest.cpp)
target_link_libraries(unit_tests PRIVATE core GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unit_tests)
