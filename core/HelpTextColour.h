#pragma once
// The colour of the help text (Label6): red-brown on the dialog colours, but in high contrast
// the system's own text colour like every other label, since a fixed colour may be unreadable
// on a high-contrast background.

#include <cstdint>

// A colour as Windows writes it (COLORREF): 0x00BBGGRR.
inline constexpr std::uint32_t HelpTextRedBrown = 192 | (64 << 8) | (0 << 16);

constexpr std::uint32_t HelpTextColour(bool highContrast, std::uint32_t systemTextColour) {
    return highContrast ? systemTextColour : HelpTextRedBrown;
}
