#pragma once
// A control the program's templates keep without the visible style: nothing shows it, but it
// takes part in data exchange.

#include "resources/common/DialogScript.h"

namespace resources
{

inline platform::DialogControl Hidden(const char* className, const char* text, int id, DWORD style,
                                      RECT rect)
{
    platform::DialogControl c = Control(className, text, id, style, rect);
    c.style &= ~WS_VISIBLE;
    return c;
}

} // namespace resources
