#pragma once
// The job window's class name and caption: the window registers and shows them, the test
// driver, the test hooks and the benchmark programs find the window by them.

inline constexpr wchar_t RootClassName[] = L"TessaroAddJobRoot";
inline constexpr wchar_t RootCaption[] = L"Tessaro - Job hinzufügen";
