#pragma once
// vnmachine windows: the top-level windows of the programs running on the machine, one a line:
//   HWND (0x%08X) TAB PID TAB visible|hidden TAB CLASS TAB TITLE
// with tabs, line ends, backslashes and other control bytes of class and title escaped (\t,
// \n, \\, \xHH).
// vnmachine post TITLE MESSAGE [WPARAM [LPARAM]]: posts the message to the window with exactly
// that title; numbers are decimal (a leading '-' allowed) or 0x hexadecimal. Exit status 1
// when no window has the title or the post could not be delivered, 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after the command's name.
int RunWindowsCommand(const Words& args);
int RunPostCommand(const Words& args);
