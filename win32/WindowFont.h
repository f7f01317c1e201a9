#pragma once
// The job window's one font, Tahoma 9 pt, normal weight, Western: the window draws with it, and
// the tests measure with it.

#include <windows.h>

#include "win32/Win32Handles.h"

inline constexpr int FontPoints = 9;

inline UniqueFont WindowFont(int dpi) {
    return UniqueFont(CreateFontW(-MulDiv(FontPoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                  L"Tahoma"));
}
