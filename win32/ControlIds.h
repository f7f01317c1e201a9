#pragma once
// The ids of the job window's controls, by name. The one place they are written down: the
// window, the test driver, the test hooks, the benchmark programs and their dialog template
// include this file, and the end-to-end tests read it. Plain #defines, so that resource
// scripts can include it too. Ids stay clear of IDOK (1) and IDCANCEL (2), which the dialog
// keys send to the window.

#define IDC_LABEL1 100
#define IDC_TEXT1 101
#define IDC_LABEL2 102
#define IDC_TEXT2 103
#define IDC_CHECK1 104
#define IDC_LABEL3 105
#define IDC_TEXT3 106
#define IDC_LABEL4 107
#define IDC_TEXT4 108
#define IDC_COMMAND1 109
#define IDC_LABEL5 110
#define IDC_OPTION1 111
#define IDC_OPTION2 112
#define IDC_LABEL6 113
