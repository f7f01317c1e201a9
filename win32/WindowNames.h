#pragma once
// The job window's class name and caption: the window registers and shows them, the test
// driver, the test hooks and the benchmark programs find the window by them.

#include "core/Texts.h"
#include "win32/WindowText.h"

inline constexpr wchar_t RootClassName[] = L"TessaroAddJobRoot";
inline const wchar_t* RootCaption() { return Wide(Texts::WindowCaption); }
