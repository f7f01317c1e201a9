#pragma once
// The platform's AT_INFO as the service reads it, checked where the program fills it and where
// the tests' stand-in reads it. JobTime is a DWORD_PTR, so 64-bit Windows widens it and
// everything after it moves.

#include <windows.h>
#include <lm.h>
#include <lmat.h>

#include <cstddef>

#if defined(_WIN64)
static_assert(sizeof(AT_INFO) == 24 && offsetof(AT_INFO, DaysOfMonth) == 8 && offsetof(AT_INFO, DaysOfWeek) == 12 &&
              offsetof(AT_INFO, Flags) == 13 && offsetof(AT_INFO, Command) == 16);
#else
static_assert(sizeof(AT_INFO) == 16 && offsetof(AT_INFO, DaysOfMonth) == 4 && offsetof(AT_INFO, DaysOfWeek) == 8 &&
              offsetof(AT_INFO, Flags) == 9 && offsetof(AT_INFO, Command) == 12);
#endif
