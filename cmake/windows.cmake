# Windows build, 32- or 64-bit by the toolchain file: the program and the programs that test it
# under Wine.

# Each program names the system's DLLs it links beyond the compiler's own (kernel32, user32,
# advapi32, shell32, and gdi32 for a program with a window): CMake's list of them all, put after
# the program's own libraries, crashes ld 2.40 in a program with its own entry point (AddJob).
set(CMAKE_CXX_STANDARD_LIBRARIES "")

set(BINDING_SOURCES win32/ScheduleJobsAdding.cpp win32/TimeOfDay.cpp win32/Netapi32.cpp win32/ExceptionGuard.cpp
                    win32/SystemLibrary.cpp win32/PlatformCodesChecked.cpp)
add_library(binding STATIC ${BINDING_SOURCES})
target_link_libraries(binding PUBLIC core PRIVATE product_flags)

# The icon is drawn in code; the manifest names the build's processor architecture. Both
# resource files take the version from project().
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ICON ${CMAKE_CURRENT_BINARY_DIR}/AddJob.ico)
add_custom_command(OUTPUT ${ICON}
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/scripts/make-icon.py ${ICON}
    DEPENDS scripts/make-icon.py)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(MANIFEST_ARCHITECTURE amd64)
    set(WINDOWS_BUILD win64)
else()
    set(MANIFEST_ARCHITECTURE x86)
    set(WINDOWS_BUILD win32)
endif()
string(REPLACE "." "," VERSION_COMMAS ${PROJECT_VERSION})
configure_file(win32/AddJob.manifest.in ${CMAKE_CURRENT_BINARY_DIR}/AddJob.manifest @ONLY)
configure_file(win32/Version.h.in ${CMAKE_CURRENT_BINARY_DIR}/Version.h @ONLY)
set_source_files_properties(win32/AddJob.rc PROPERTIES
    OBJECT_DEPENDS "${ICON};${CMAKE_CURRENT_BINARY_DIR}/AddJob.manifest;${CMAKE_CURRENT_BINARY_DIR}/Version.h")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_CURRENT_BINARY_DIR} -I${CMAKE_CURRENT_SOURCE_DIR}")

# The program is built from the sources of core and the binding itself, so that it can be
# optimised for size across all its files when it is linked (LTO): a file for each idea then
# costs no more than one file for them all. The libraries serve the test programs, which are
# linked without. The exception guard's frames and assembly stay as written.
add_executable(AddJob WIN32
    ${CORE_SOURCES} ${BINDING_SOURCES}
    win32/main.cpp win32/Root.cpp win32/WindowLayout.cpp win32/SystemSettings.cpp win32/OnePress.cpp
    win32/CallOffThread.cpp win32/Win32Platform.cpp win32/TaskScheduling.cpp win32/Credentials.cpp
    win32/NetworkSession.cpp win32/ThrowlessRuntime.cpp
    win32/AddJob.rc)
target_include_directories(AddJob PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(AddJob PRIVATE -flto)
target_link_options(AddJob PRIVATE -Os -flto)
set_source_files_properties(win32/ExceptionGuard.cpp PROPERTIES COMPILE_OPTIONS -fno-lto)
target_link_libraries(AddJob PRIVATE comctl32 ole32 oleaut32 product_flags)
# Terminal-server aware, as Windows linkers mark a program by default: no compatibility shims
# for its INI files and registry on a terminal server.
target_link_options(AddJob PRIVATE -Wl,--tsaware)
# The 64-bit program starts at its own entry point, Start (main.cpp), without the C runtime's
# start-up, which would run no constructor (the program has none) and apply no pseudo-relocation:
# with auto-import off, a reference to a DLL's data, which would need one, fails the link instead.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    target_link_options(AddJob PRIVATE -nostartfiles -Wl,--entry=Start -Wl,--disable-auto-import)
endif()

if(NOT BUILD_TESTING)
    return()
endif()

# The end-to-end tests under Wine, for this build: scripts/e2e prepares Wine, its prefix and
# the scheduling service, runs tests/e2e and stops all it started.
add_test(NAME e2e COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/scripts/e2e ${WINDOWS_BUILD} ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(e2e PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 1800)

# Test programs.

# JSON through Debian's nlohmann-json3-dev, a header-only library: its folder alone, not the
# rest of the build machine's /usr/include, goes on the cross compiler's path.
find_path(NLOHMANN_JSON_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/json)
file(CREATE_LINK ${NLOHMANN_JSON_DIR}/nlohmann ${CMAKE_CURRENT_BINARY_DIR}/json/nlohmann SYMBOLIC)
add_executable(driver tests/win32/driver.cpp)
target_include_directories(driver PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/json)
add_executable(schedule_probe tests/win32/schedule_probe.cpp)
target_include_directories(schedule_probe PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/json)
target_link_libraries(schedule_probe PRIVATE binding psapi)
target_link_libraries(driver PRIVATE netapi32 psapi oleacc ole32 oleaut32 uuid gdi32)

# Stand-ins for netapi32.dll, taskschd.dll and mpr.dll; see tests/e2e.
function(add_stand_in target source folder name)
    add_library(${target} SHARED ${source})
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${folder})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_options(${target} PRIVATE -Wl,--kill-at)
endfunction()
add_stand_in(fake_netapi32 tests/win32/fake_netapi32.cpp fake netapi32)
add_stand_in(netapi32_without_add tests/win32/netapi32_without_add.cpp without-add netapi32)
add_stand_in(fake_taskschd tests/win32/fake_taskschd.cpp fake taskschd)
add_stand_in(fake_mpr tests/win32/fake_mpr.cpp fake mpr)
target_link_libraries(fake_taskschd PRIVATE uuid)

# Hooks the driver puts into the program: a window it can't create, a change of DPI, a count
# of the presses on Schedule.
add_library(test_hooks SHARED tests/win32/test_hooks.cpp win32/OnePress.cpp)
set_target_properties(test_hooks PROPERTIES PREFIX "")
target_include_directories(test_hooks PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_options(test_hooks PRIVATE -Wl,--kill-at)
target_link_libraries(test_hooks PRIVATE gdi32)

# Benchmark programs: scripts/bench.
add_executable(stopwatch tests/bench/stopwatch.cpp)
add_executable(empty_window WIN32 tests/bench/empty_window.cpp)
add_executable(plain_schedule WIN32 tests/bench/plain_schedule.cpp)
target_link_libraries(plain_schedule PRIVATE core netapi32)
add_executable(dialog_twin WIN32 tests/bench/dialog_twin.cpp tests/bench/dialog_twin.rc)
target_link_libraries(dialog_twin PRIVATE comctl32)
set_source_files_properties(tests/bench/dialog_twin.rc PROPERTIES
    OBJECT_DEPENDS "${ICON};${CMAKE_CURRENT_BINARY_DIR}/AddJob.manifest")
foreach(program stopwatch plain_schedule dialog_twin)
    target_include_directories(${program} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
endforeach()
# The baselines are built as the program is.
foreach(program empty_window plain_schedule dialog_twin)
    target_link_libraries(${program} PRIVATE product_flags)
endforeach()
