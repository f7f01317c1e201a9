#include "win32/SystemSettings.h"

#include "win32/Win32Handles.h"

int DpiOf(HWND window) {
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window != nullptr && getDpiForWindow != nullptr)
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    return GetDeviceCaps(WindowDC(nullptr).get(), LOGPIXELSY);
}

bool HighContrast() {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

namespace {

std::u16string ComputerName(COMPUTER_NAME_FORMAT format) {
    DWORD size = 0;
    GetComputerNameExW(format, nullptr, &size);  // asks for the length, terminator included
    std::u16string name(size, u'\0');
    auto* units = reinterpret_cast<wchar_t*>(name.data());
    if (size == 0 || !GetComputerNameExW(format, units, &size)) return {};
    name.resize(size);
    return name;
}

}  // namespace

ThisComputerNames ThisComputer() {
    ThisComputerNames names{ComputerName(ComputerNameNetBIOS), ComputerName(ComputerNameDnsHostname),
                            ComputerName(ComputerNameDnsFullyQualified)};
    CharUpperBuffW(reinterpret_cast<wchar_t*>(names.netBios.data()), static_cast<DWORD>(names.netBios.size()));
    return names;
}
