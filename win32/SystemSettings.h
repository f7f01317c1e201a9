#pragma once
// What the window asks of the system: the dots per inch it is shown at, whether high contrast
// is on, and this computer's names.

#include <windows.h>

#include <string>

#include "core/ComputerName.h"

// The dots per inch of the window's monitor where the platform tracks them per monitor
// (Windows 10 1607 and later), else the system's; for nullptr, the system's.
int DpiOf(HWND window);

bool HighContrast();

// This computer's NetBIOS name (in capital letters), DNS host name and full DNS name; each empty
// where it can't be read.
ThisComputerNames ThisComputer();
