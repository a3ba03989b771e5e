#pragma once
// Programs on the machine's drive. A program is a file whose first line names what runs when it
// is started: "#!tessaryn NAME". The project's programs (TessarynUI, TessarynAp, UplinkPick, and
// vnmachine, which tests place as a program that ends by itself) run the built executable of
// that name; the outside programs are the machine's stand-ins (VnSwap, lanmeld, NicReport, the
// web browser). Removing the file makes a start fail as on the platform.
//
// The default image puts the project's programs, NicReport.bat, the mode switch VnSwap.exe,
// the bridging program lanmeld.exe, the access-point program under the file name HubDesk.exe
// (the name the client looks for beside itself) and the help files in the program folder, and
// the web browser in "C:\Program Files\Web Browser".

#include "machine/Machine.h"
#include "machine/programs/VersionResource.h"

#include <optional>
#include <string>
#include <string_view>

namespace machine::programs
{

inline constexpr const char* kSystemFolder = "C:\\Windows\\system32";
inline constexpr const char* kWindowsFolder = "C:\\Windows";
inline constexpr const char* kBrowserPath = "C:\\Program Files\\Web Browser\\browser.exe";

enum class ProgramKind
{
    Built,     // a built executable of the project
    VnSwap,    // records its arguments
    Lanmeld,   // records its arguments
    NicReport, // writes NicReport.txt beside itself
    Browser,   // records the address it opens
    // HubDesk.exe: the access-point program, TessarynAp. Until that program is built (or while
    // its starts are record-only) a stand-in that records its start: "HubDesk ran [ARGS]".
    AccessPoint,
    Unknown // a file that names no program (not startable)
};

// "#!tessaryn NAME\r\n" + a line of description.
std::string PlaceholderText(const std::string& program, const std::string& description);
// The NAME of a placeholder's first line; nullopt when the text is no placeholder.
std::optional<std::string> PlaceholderProgram(std::string_view text);
ProgramKind KindOf(const std::string& program);

// Version and time the project's programs are installed with.
inline constexpr const char* kProgramFileVersion = "2.6.0.118";
inline constexpr std::int64_t kProgramFileTime = 1237368600; // 2009-03-18 09:30:00 UTC

// The version information of a project program's file (its strings, "LegalCopyright" among
// them).
VersionResource ProgramVersion(const std::string& fileName, const std::string& description);

// Writes every program file of the default image that is missing (C: drive host paths).
void WriteDefaultPrograms(const Machine& machine);

} // namespace machine::programs
