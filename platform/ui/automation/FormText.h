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
//     listview 1006:
//         | SSID | Channel |
//       > | home | 6       |
//     <OK> 1 (default)
//
// A property sheet starts with its tabs ("tabs: {General | >Advanced<}"); its pages are
// children drawn indented under "dialog" lines, the hidden ones marked so.
// Hidden controls end in "(hidden)", disabled ones in "(disabled)", the focused one in
// "<focus>".

#include "platform/ui/automation/Describe.h"

#include <string>

namespace platform::automation
{

std::string RenderForm(const WindowNode& node);
// Describe and render; empty when the window does not exist.
std::string RenderWindow(HWND hwnd);

} // namespace platform::automation
