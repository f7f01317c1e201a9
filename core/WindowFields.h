#pragma once
// The job window's entries as a Schedule takes them.

#include <string>

struct WindowFields {
    std::u16string ComputerName;  // Text1; empty: this computer
    std::u16string RunTime;       // Text2, a clock time
    std::u16string DayList;       // Text3, weekdays (M,T,SU) or days of the month (13,17,28)
    std::u16string CommandLine;   // Text4
    bool Interactive = false;     // Check1 checked: the job may use the desktop
    bool EveryListedDay = false;  // Option2 ("jeden ") selected, not Option1 ("nächsten ")
};

// The entry the window puts the focus in after a message about it.
enum class FieldToFix { None, RunTime, DayList, CommandLine };
