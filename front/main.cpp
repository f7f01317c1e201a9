// Tessaro - Job hinzufügen: adds one job to the job queue of a computer's scheduling service.

#include <windows.h>

#include <commctrl.h>

#include "front/Root.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);  // the themed controls of the manifest's Common Controls 6
    Root root(instance);
    if (!root.Show(showCommand)) return 1;
    return root.MessageLoop();
}
