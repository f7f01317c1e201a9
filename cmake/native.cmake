# Native build: the unit tests.

find_package(GTest REQUIRED)
enable_testing()
add_executable(unit_tests
    tests/unit/CalendarTest.cpp
    tests/unit/CallFailureTest.cpp
    tests/unit/CommandLineTest.cpp
    tests/unit/ComputerNameTest.cpp
    tests/unit/FillJobInfoTest.cpp
    tests/unit/HelpTextColourTest.cpp
    tests/unit/MessagesTest.cpp
    tests/unit/ScheduleCommandTest.cpp
    tests/unit/SecretTest.cpp
    tests/unit/TargetClockTest.cpp
    tests/unit/TaskDefinitionTest.cpp
    tests/unit/TaskNamingTest.cpp
    tests/unit/Utf16Test.cpp)
target_link_libraries(unit_tests PRIVATE core GTest::gtest_main)
target_include_directories(unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
# The task definitions are checked against this schema with xmllint (Debian's libxml2-utils).
target_compile_definitions(unit_tests PRIVATE TASK_SCHEMA="${CMAKE_CURRENT_SOURCE_DIR}/tests/unit/TaskSchema.xsd")
include(GoogleTest)
gtest_discover_tests(unit_tests)

# libFuzzer target for the record builder; configure with clang++ and -DFUZZ=ON.
option(FUZZ "Build the libFuzzer target (clang only)" OFF)
if(FUZZ)
    add_executable(fill_job_info_fuzz tests/fuzz/FillJobInfoFuzz.cpp ${CORE_SOURCES})
    target_include_directories(fill_job_info_fuzz PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_options(fill_job_info_fuzz PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
    target_link_options(fill_job_info_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
endif()

find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(fill_job_info_bench tests/bench/FillJobInfoBench.cpp)
    target_link_libraries(fill_job_info_bench PRIVATE core benchmark::benchmark)
endif()
