#pragma once
// The job window: the entries of one job and the button that schedules it.

#include <windows.h>

#include <string>

#include "core/ComputerName.h"
#include "core/WindowFields.h"
#include "win32/OnePress.h"
#include "win32/Win32Handles.h"

class Root {
public:
    explicit Root(HINSTANCE instance) : instance_(instance) {}
    ~Root();  // destroys the window while the members it uses are still there
    Root(const Root&) = delete;
    Root& operator=(const Root&) = delete;

    // Creates and shows the window whole. When any part of it can't be made, shows nothing of
    // it, tells the user in a message box what failed, and returns false.
    bool Show(int showCommand);
    // Runs until the window is closed; returns the process's exit code.
    int MessageLoop();

private:
    bool Create();  // the class, the hidden owner and the window; false when any failed
    bool NotMade(const std::u16string& what);  // notes what could not be made, with the last error; false

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreate();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnCommand(int id, int code);
    void OnActivate(bool active);
    LRESULT OnCtlColorStatic(HDC dc, HWND control);
    void OnNextDlgCtl(WPARAM target, bool isWindow);
    void OnSystemColours();
    bool OnClose();
    void OnDestroy();

    void Layout(int dpi, UniqueFont font);  // places every control and gives it `font`, made for `dpi`
    void FitClient();      // sizes the frame so that the client is its size in twips at dpi_
    HWND Item(int id) const;
    void Schedule();
    WindowFields ReadFields() const;

    HINSTANCE instance_;
    int dpi_ = 96;
    UniqueIcon bigIcon_, smallIcon_;
    UniqueWindow owner_;  // hidden; owning Root keeps it off the taskbar
    UniqueHook repeatFilter_;  // drops held keys' repeats inside message boxes
    HWND window_ = nullptr;
    bool created_ = false;  // WM_CREATE succeeded
    std::u16string failure_;  // what could not be made
    UniqueFont font_;
    HWND focusWhileInactive_ = nullptr;
    ClosedBoxEcho echo_;  // of a Schedule's last message box
    ThisComputerNames here_;  // read once, as the window is made
    bool scheduling_ = false;     // a Schedule runs: its calls, its dialogs and boxes
    bool closeWhenDone_ = false;  // the window was closed meanwhile
};
