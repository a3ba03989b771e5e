#pragma once
// A text of the program's string table, as the pages and dialogs of both programs take them.

#include "platform/Windows.h"

// The string resource nID; empty when the table has none.
inline CString LoadText(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}
