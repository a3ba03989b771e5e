#pragma once
// The log of what a person at the machine would see come and go on the desktop, by any process:
// <root>/desktop.log, one line an event (machine/LineLog.h), so that message boxes, tray-icon
// changes and power events take their place among every other log of the machine:
//
//   message-box shown pid=4711 hwnd=0x0001002A type=0x00000030 caption="TessarynUI" text="..."
//   message-box answered pid=4711 hwnd=0x0001002A answer=1
//   tray add pid=4711 uid=1 icon=163 tip="Not connected"
//   power PBT_APMSUSPEND to 3 windows of 2 programs

#include "machine/Machine.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace machine::desktop
{

std::filesystem::path DesktopLogPath(const Machine& machine);
void AppendDesktopLog(const Machine& machine, const std::string& line);
std::vector<std::string> ReadDesktopLog(const Machine& machine);

// A text for a log line: in double quotes, a quote or backslash escaped.
std::string QuotedLogText(std::string_view text);

} // namespace machine::desktop
