#include "win32/WindowLayout.h"

#include "win32/WindowText.h"

int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

RECT Placement(const Control& control, int dpi, HDC measuring) {
    const int left = Pixels(control.left, dpi), top = Pixels(RowTop[control.row] + control.down, dpi);
    RECT box{left, top, left + Pixels(control.width, dpi), top + Pixels(control.height, dpi)};
    if (control.kind == Kind::Caption) {
        RECT extent{};
        DrawTextW(measuring, Wide(ShownText(control, {})), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
        box.right = Pixels(CaptionsEnd, dpi);
        box.left = box.right - extent.right;
    }
    return box;
}

std::u16string ShownText(const Control& control, const std::u16string& computerName) {
    if (control.text == nullptr) return computerName;
    std::u16string shown;
    char16_t key = control.key;
    for (const char16_t* c = control.text; *c != 0; ++c) {
        // The key is a letter of A to Z, which its lower case differs from by one bit.
        if (key != 0 && (*c | 0x20) == (key | 0x20)) shown += u'&', key = 0;
        shown += *c;
    }
    return shown;
}

ClassAndStyle StyleOf(Kind kind) {
    switch (kind) {
    case Kind::Caption:
        return {L"Static", SS_RIGHT, 0};
    case Kind::Note:
        return {L"Static", SS_LEFT | SS_NOPREFIX, 0};
    case Kind::Text:
        return {L"Edit", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::Check:
        return {L"Button", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case Kind::Option:
        return {L"Button", WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case Kind::Button:
        return {L"Button", WS_TABSTOP | BS_PUSHBUTTON, 0};
    }
    return {};
}

const Control* ControlFor(FieldToFix field) {
    for (const Control& control : Controls)
        if (field != FieldToFix::None && control.fix == field) return &control;
    return nullptr;
}

bool StartsGroup(const Control& control) {
    return control.kind != Kind::Option || &control == Controls || (&control - 1)->kind != Kind::Option;
}
