#pragma once
// The job window's controls as data: one row per control, in tab order (creation order is focus
// order), with what it shows, its access key, its place, and the entry of WindowFields it holds.
// Places are in twips (1/1440 inch). The window is a stack of rows from top to bottom; each row
// begins a gap below the lowest control of the row above, and a control's top is given within
// its row, so that a row added anywhere moves the ones below it by itself.

#include <windows.h>

#include <array>
#include <string>

#include "core/Texts.h"
#include "core/WindowFields.h"
#include "win32/ControlIds.h"

enum class Kind : unsigned char {
    Caption,  // a field's caption: right-aligned on one line, fitted to its text leftwards from CaptionsEnd
    Note,     // left-aligned, wrapped inside its box
    Text,
    Check,
    Option,
    Button,
};

// The rows, from the top.
enum Row : unsigned char { ComputerRow, TimeRow, DaysRow, CommandRow, ScheduleRow, CreditRow, Rows };
// How far each row begins below the one above it (the first, below the client area's top edge).
inline constexpr std::array<int, Rows> RowGap = {285, 45, 285, 135, 75, 60};
inline constexpr int ClientWidth = 6420, BottomMargin = 240;
// Where the captions end, 105 twips left of the fields that start at 2655.
inline constexpr int CaptionsEnd = 2550, CaptionHeight = 210;

struct Control {
    short id;               // IDC_..., its name in ControlIds.h
    const char16_t* name;   // its name in the code, for a message that it could not be made
    Kind kind;
    const char16_t* text;   // from the catalogue; a text box without one starts with this computer's name
    char16_t key = 0;       // the access key (Alt+key): the first letter of `text` like it is underlined
    Row row = ComputerRow;
    short left = 0, width = 0;  // a caption's come from its text
    short down = 0;             // below the top of its row
    short height = CaptionHeight;
    std::u16string WindowFields::*entry = nullptr;  // the entry a text box holds
    bool WindowFields::*checked = nullptr;          // what a button's check means
    FieldToFix fix = FieldToFix::None;              // a message about this entry puts the focus here
};

inline constexpr Control Controls[] = {
    {.id = IDC_LABEL1, .name = u"Label1", .kind = Kind::Caption, .text = Texts::ComputerCaption, .key = u'C',
     .row = ComputerRow, .down = 45},
    {.id = IDC_TEXT1, .name = u"Text1", .kind = Kind::Text, .text = nullptr, .row = ComputerRow, .left = 2655,
     .width = 1215, .height = 315, .entry = &WindowFields::ComputerName},
    {.id = IDC_LABEL2, .name = u"Label2", .kind = Kind::Caption, .text = Texts::TimeCaption, .key = u'T',
     .row = TimeRow, .down = 45},
    {.id = IDC_TEXT2, .name = u"Text2", .kind = Kind::Text, .text = Texts::DefaultTime, .row = TimeRow,
     .left = 2655, .width = 1215, .height = 315, .entry = &WindowFields::RunTime, .fix = FieldToFix::RunTime},
    {.id = IDC_CHECK1, .name = u"Check1", .kind = Kind::Check, .text = Texts::InteractiveCaption, .key = u'I',
     .row = ScheduleRow, .left = 4575, .width = 1215, .height = 315, .checked = &WindowFields::Interactive},
    {.id = IDC_LABEL3, .name = u"Label3", .kind = Kind::Caption, .text = Texts::DaysCaption, .key = u'D',
     .row = DaysRow, .down = 165},
    {.id = IDC_TEXT3, .name = u"Text3", .kind = Kind::Text, .text = Texts::DefaultDays, .row = DaysRow,
     .left = 3855, .width = 1935, .down = 60, .height = 315, .entry = &WindowFields::DayList,
     .fix = FieldToFix::DayList},
    {.id = IDC_LABEL4, .name = u"Label4", .kind = Kind::Caption, .text = Texts::CommandCaption, .key = u'A',
     .row = CommandRow, .down = 45},
    {.id = IDC_TEXT4, .name = u"Text4", .kind = Kind::Text, .text = Texts::DefaultCommand, .row = CommandRow,
     .left = 2655, .width = 3135, .height = 315, .entry = &WindowFields::CommandLine, .fix = FieldToFix::CommandLine},
    {.id = IDC_COMMAND1, .name = u"Command1", .kind = Kind::Button, .text = Texts::ScheduleCaption, .key = u'S',
     .row = ScheduleRow, .left = 4575, .width = 1215, .down = 600, .height = 375},
    {.id = IDC_LABEL5, .name = u"Label5", .kind = Kind::Note, .text = Texts::Credit, .row = CreditRow,
     .left = 1305, .width = 4455, .height = 720},
    {.id = IDC_OPTION1, .name = u"Option1", .kind = Kind::Option, .text = Texts::NextCaption, .key = u'N',
     .row = DaysRow, .left = 2655, .width = 1095, .height = 255},
    {.id = IDC_OPTION2, .name = u"Option2", .kind = Kind::Option, .text = Texts::EveryCaption, .key = u'J',
     .row = DaysRow, .left = 2655, .width = 1095, .down = 240, .height = 255, .checked = &WindowFields::EveryListedDay},
    {.id = IDC_LABEL6, .name = u"Label6", .kind = Kind::Note, .text = Texts::Help, .row = ScheduleRow,
     .left = 1305, .width = 2520, .down = 180, .height = 930},
};

// The top of each row, and below them the client area's height, in twips.
constexpr std::array<int, Rows + 1> RowTops() {
    std::array<int, Rows + 1> tops{};
    int bottom = 0;
    for (int row = 0; row < Rows; ++row) {
        tops[row] = bottom + RowGap[row];
        for (const Control& control : Controls)
            if (control.row == row && tops[row] + control.down + control.height > bottom)
                bottom = tops[row] + control.down + control.height;
    }
    tops[Rows] = bottom + BottomMargin;
    return tops;
}
inline constexpr std::array<int, Rows + 1> RowTop = RowTops();
inline constexpr int ClientHeight = RowTop[Rows];

// The row of the control with `id`; used in constant expressions, where an id that no row has
// does not compile.
constexpr const Control& ControlWithId(short id) {
    const Control* found = nullptr;
    for (const Control& control : Controls)
        if (control.id == id) found = &control;
    return *found;
}

// A control's box in pixels at `dpi`; `measuring` is a DC with the window's font selected, in
// which a caption is fitted to its text as it shows it (the "&" is an underline, not a letter).
RECT Placement(const Control& control, int dpi, HDC measuring);

// The text a control shows: its catalogue text with "&" before its access key.
std::u16string ShownText(const Control& control, const std::u16string& computerName);

// The class, style and extended style of a control of `kind`.
struct ClassAndStyle {
    const wchar_t* className;
    DWORD style, exStyle;
};
ClassAndStyle StyleOf(Kind kind);

// The row of the control that a message about `field` puts the focus in.
const Control* ControlFor(FieldToFix field);

int Pixels(int twips, int dpi);

// Option buttons that follow one another are one group, in which the arrow keys move; every
// other control starts a group of its own.
bool StartsGroup(const Control& control);
