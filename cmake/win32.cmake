# 32-bit Windows build: the program and the programs that test it under Wine.
# Small and standalone: no exceptions or RTTI, static runtime, stripped.
add_compile_options(-Os -fno-exceptions -fno-rtti -fno-threadsafe-statics -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN)
add_link_options(-static -s -municode)

add_library(binding STATIC job/ScheduleJobsAddingWin32.cpp)
target_link_libraries(binding PUBLIC core)

# Test programs.
add_executable(schedule_probe tests/win32/schedule_probe.cpp)
target_link_libraries(schedule_probe PRIVATE binding netapi32)
