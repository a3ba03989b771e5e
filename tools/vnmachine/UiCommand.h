#pragma once
// vnmachine ui ...: seeing and driving the programs' windows, as a person at the desktop would.
// WIN is a window handle (0x... or decimal) or a title (exact, else without regard to case);
// CONTROL is a control id or its text. Each action goes to the program owning the window and
// runs on its UI thread; exit status 1 when it fails (the reason on stderr), 2 on a usage error.
//
//   ui list                         programs: pid, name, top-level windows, tray icons
//   ui show WIN                     the window drawn as text
//   ui click WIN CONTROL            ui type WIN CONTROL TEXT      ui settext WIN CONTROL TEXT
//   ui select WIN CONTROL ENTRY     ui row WIN CONTROL N [--double]
//   ui slide WIN CONTROL POS        ui key WIN enter|esc          ui close WIN
//   ui page WIN PAGE                a property-sheet page by its caption or #N
//   ui menu ITEM|ID                 an item of the open popup menu
//   ui sysmenu WIN ITEM|ID          an item of the window's system menu
//   ui tray PROGRAM|PID right|double|left [UID]
//   ui answer [WIN] BUTTON          a button of the message box that is up
//   ui start PROGRAM [ARGS...]      ui wait WIN [SECONDS]

#include <iosfwd>
#include <string>
#include <vector>

// The arguments after "ui".
int RunUiCommand(const std::vector<std::string>& args);
// The same, printing to out and err (the desktop uses it).
int RunUiCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
void PrintUiUsage(std::ostream& out, const char* prefix);
// The programs, their windows and tray icons.
void PrintProgramList(std::ostream& out);
