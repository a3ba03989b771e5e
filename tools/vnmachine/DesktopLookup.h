#pragma once
// Finding what a person names at the desktop: a window by handle or title, a program's tray icon
// by its name or pid.

#include "machine/desktop/Desktop.h"
#include "machine/desktop/Tray.h"

#include <optional>
#include <string>

// The process's name as the system knows it ("TessarynUI"); "?" when gone.
std::string ProgramName(int pid);

// A window handle, else a title: visible windows first, the latest of them, an exact title
// before one that differs only in case.
std::optional<machine::desktop::TopLevelWindow> FindWindow(const std::string& which);

// The first tray icon of PROGRAM (a name, with or without ".exe", or a pid), of `uid` if given.
std::optional<machine::desktop::TrayIcon> FindTrayIcon(const std::string& program,
                                                       std::optional<std::uint32_t> uid = {});
