#pragma once
// What a dialog script says of one control, as the programs' templates write it: class, text,
// id, styles (WS_CHILD | WS_VISIBLE added) and the rectangle in dialog units.

#include "platform/Windows.h"

namespace resources
{

inline platform::DialogControl Control(const char* className, const char* text, int id, DWORD style,
                                       RECT rect)
{
    platform::DialogControl c;
    c.className = className;
    c.text = text;
    c.id = id;
    c.style = WS_CHILD | WS_VISIBLE | style;
    c.rect = rect;
    return c;
}

} // namespace resources
