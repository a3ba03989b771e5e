#pragma once
// vnmachine desktop: the interactive desktop. Reads commands from standard input at the prompt
// "desktop> " (the ui commands without "ui", plus help and quit), and after each one prints
// the running programs with their windows and tray icons, and draws the active window (an open
// menu or message box first, else the latest visible window).

#include "tools/vnmachine/Command.h"

#include <iosfwd>

// The words after "desktop": none, or "--start PROGRAM [ARGS...]".
int RunDesktopCommand(const Words& args);
int RunDesktop(std::istream& in, std::ostream& out, std::ostream& err);
// A command line split into words: blanks separate, "double quotes" and 'single quotes' group,
// a backslash escapes the next character.
std::vector<std::string> SplitCommandWords(const std::string& line);
