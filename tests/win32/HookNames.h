#pragma once
// What the test driver and test_hooks.dll say to each other through the job window: each
// request is a registered window message posted to the window, each answer a window property.

inline constexpr wchar_t ChangeDpiRequest[] = L"AddJobTestChangeDpi";           // wParam: new DPI, lParam: current
inline constexpr wchar_t DpiProperty[] = L"AddJobTestDpi";                      // the new DPI, once applied
inline constexpr wchar_t FontHeightProperty[] = L"AddJobTestFontHeight";        // lfHeight of the controls' font
inline constexpr wchar_t CountPressesRequest[] = L"AddJobTestCountPresses";
inline constexpr wchar_t PressesProperty[] = L"AddJobTestPresses";              // presses on Schedule, plus one
inline constexpr wchar_t HighContrastRequest[] = L"AddJobTestHighContrast";
inline constexpr wchar_t HighContrastProperty[] = L"AddJobTestHighContrast";    // set once switched on
