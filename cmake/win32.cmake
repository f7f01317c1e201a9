# 32-bit Windows build: the program and the programs that test it under Wine.

add_library(binding STATIC job/ScheduleJobsAddingWin32.cpp)
target_link_libraries(binding PUBLIC core)

# The icon is drawn in code.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ICON ${CMAKE_CURRENT_BINARY_DIR}/AddJob.ico)
add_custom_command(OUTPUT ${ICON}
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/scripts/make-icon.py ${ICON}
    DEPENDS scripts/make-icon.py)
set_source_files_properties(front/AddJob.rc PROPERTIES OBJECT_DEPENDS "${ICON};${CMAKE_CURRENT_SOURCE_DIR}/front/AddJob.manifest")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_CURRENT_BINARY_DIR} -I${CMAKE_CURRENT_SOURCE_DIR}/front")

add_executable(AddJob WIN32
    front/main.cpp front/Root.cpp front/Win32Platform.cpp front/ThrowlessRuntime.cpp front/AddJob.rc)
target_link_libraries(AddJob PRIVATE binding comctl32)

# Test programs.
add_executable(schedule_probe tests/win32/schedule_probe.cpp)
target_link_libraries(schedule_probe PRIVATE binding netapi32)

add_executable(driver tests/win32/driver.cpp)
target_link_libraries(driver PRIVATE netapi32)

# Stands in for netapi32.dll next to a copy of the program; see tests/e2e.
add_library(fake_netapi32 SHARED tests/win32/fake_netapi32.cpp)
set_target_properties(fake_netapi32 PROPERTIES PREFIX "" OUTPUT_NAME netapi32 RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/fake)
target_link_options(fake_netapi32 PRIVATE -Wl,--kill-at)

add_library(netapi32_without_add SHARED tests/win32/netapi32_without_add.cpp)
set_target_properties(netapi32_without_add PROPERTIES PREFIX "" OUTPUT_NAME netapi32
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/without-add)
target_link_options(netapi32_without_add PRIVATE -Wl,--kill-at)

# Benchmark programs: scripts/bench.
add_executable(stopwatch tests/bench/stopwatch.cpp)
add_executable(empty_window WIN32 tests/bench/empty_window.cpp)
add_executable(plain_schedule WIN32 tests/bench/plain_schedule.cpp)
target_link_libraries(plain_schedule PRIVATE netapi32)
