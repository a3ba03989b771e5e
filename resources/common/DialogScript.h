#pragma once
// What the programs' dialog scripts share: what a script says of one control, as the programs'
// templates write it (class, text, id, styles with WS_CHILD | WS_VISIBLE added, the rectangle in
// dialog units), and the empty property page that page templates start from.

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

// A control the template keeps without the visible style: nothing shows it unless the program
// does, but it takes part in data exchange.
inline platform::DialogControl Hidden(const char* className, const char* text, int id, DWORD style,
                                      RECT rect)
{
    platform::DialogControl c = Control(className, text, id, style, rect);
    c.style &= ~WS_VISIBLE;
    return c;
}

// A property page of that caption and the pages' common size, with no controls yet: a page's
// template starts from it.
inline platform::DialogTemplate EmptyPageTemplate(const char* caption)
{
    platform::DialogTemplate t;
    t.style = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;
    t.caption = caption;
    t.rect = {0, 0, 280, 200};
    return t;
}

} // namespace resources
