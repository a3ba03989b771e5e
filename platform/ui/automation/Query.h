#pragma once
// What a script waits on in a control: its text and how many rows or entries it holds. Run it on
// the window's thread.

#include "platform/ui/UserTypes.h"

#include <optional>
#include <string>

namespace platform::automation
{

struct ControlState
{
    std::string text;
    int rows = 0; // a list view's rows, a list or combo box's entries; 0 for anything else
};

// The control of `window` named as the actions name them; nullopt when there is none.
std::optional<ControlState> QueryControl(HWND window, const std::string& control);

// "rows N\n" then "text " and the text to the end: the text may hold anything.
std::string FormatControlState(const ControlState& state);
std::optional<ControlState> ParseControlState(const std::string& body);

} // namespace platform::automation
