#pragma once
// A described window drawn as text, the way a person reads the form: the caption, then one line
// per control with its state.
//
//   "Settings" dialog 0x00010010
//     [x] 1001 "Enable QOS"
//     (*) 1002 "Auto"
//     [ edit 1003: "192.168.1.5" ]
//     combo 1004: "11g" {11b | >11g< | 11n}
//     slider 1005: 30 (0..100)
//     progress 1008: [##############      ] 70%
//     static 1010 "" icon 161 "signal good"
//     listview 1006:
//         | SSID | Channel |
//       > | home | 6       |
//     <OK> 1 (default)
//
// A property sheet starts with its tabs ("tabs: {General | >Advanced<}"); its pages are
// children drawn indented under "page" lines. A list view's row image follows its cells by
// its icon's name ("<connected network>"); columns are padded by the width their text
// takes on a terminal. Hidden controls are left out unless asked for (then they end in
// "(hidden)"); disabled ones end in "(disabled)", the focused one in "<focus>".

#include "platform/ui/automation/Describe.h"

#include <string>

namespace platform::automation
{

struct FormOptions
{
    bool all = false;   // hidden controls too, marked "(hidden)"
    bool rects = false; // each line ends in its screen rectangle "@(x,y WxH)"
};

std::string RenderForm(const WindowNode& node, const FormOptions& options = {});
// Describe and render; empty when the window does not exist.
std::string RenderWindow(HWND hwnd, const FormOptions& options = {});

} // namespace platform::automation
