#pragma once
// vnmachine desktop: the interactive desktop. Reads commands from standard input at the prompt
// "desktop> " (the ui commands without "ui", plus help and quit). "show" prints the running
// programs with their windows and tray icons and draws the active window (an open menu or message
// box first, else the latest visible window); with --verbose that follows every command.

#include "tools/vnmachine/Command.h"

#include <iosfwd>

// The words after "desktop": [--verbose] [--start PROGRAM [ARGS...]].
int RunDesktopCommand(const Words& args);
int RunDesktop(std::istream& in, std::ostream& out, std::ostream& err, bool verbose = false);
// A command line split into words: blanks separate, "double quotes" and 'single quotes' group,
// a backslash escapes the next character, an unquoted '#' starting a word begins a comment.
std::vector<std::string> SplitCommandWords(const std::string& line);
