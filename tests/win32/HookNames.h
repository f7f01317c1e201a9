#pragma once
// What the test driver and test_hooks.dll say to each other through the job window. A request
// is the registered message HookRequest posted to the window, with the action in wParam and its
// two arguments in the low and high words of lParam; the hook answers by setting the property
// AnswerProperty to the answer and DoneProperty to 1. The press counter keeps its counts in
// properties of their own.

enum HookAction { ChangeDpi, HighContrast, CountPresses, WatchMarker };

inline constexpr wchar_t HookRequest[] = L"AddJobTestHook";
inline constexpr wchar_t DoneProperty[] = L"AddJobTestDone";
inline constexpr wchar_t AnswerProperty[] = L"AddJobTestAnswer";
inline constexpr wchar_t PressesProperty[] = L"AddJobTestPresses";    // activations of Schedule
inline constexpr wchar_t BoxesProperty[] = L"AddJobTestBoxes";        // message boxes it opened
inline constexpr wchar_t WarningsProperty[] = L"AddJobTestWarnings";  // of them, about an entry
inline constexpr wchar_t MarkersProperty[] = L"AddJobTestMarkers";    // marker keys the window's thread took
// Posted to the window by the driver as another program may post it messages, numbered from 1 in
// wParam; Marker counts in ProbesProperty those the window's thread took in order, and sets it to
// -1 for one that comes out of order.
inline constexpr wchar_t ProbeMessage[] = L"AddJobTestProbe";
inline constexpr wchar_t ProbesProperty[] = L"AddJobTestProbes";
// Sent to the window, this has Count note in WaitCursorProperty whether the window's thread shows
// the wait cursor (1) or not (0).
inline constexpr wchar_t CursorQuery[] = L"AddJobTestCursor";
inline constexpr wchar_t WaitCursorProperty[] = L"AddJobTestWaitCursor";

// The marker key: no test sends it otherwise, and no control or box of the program acts on it.
inline constexpr unsigned MarkerKey = 0x13;  // VK_PAUSE
