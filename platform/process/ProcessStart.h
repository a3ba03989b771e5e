#pragma once
// Starting programs: WinExec and ShellExecuteA. A program is a file on the machine's drive
// (see machine/programs/ProgramFiles.h): the project's programs start their built executables,
// detached, on the same machine, with the Windows command line and current directory; the
// outside programs run as the machine's stand-ins. Nothing is waited for. Every request is
// written to the machine's program log with its exact command line, show state, current
// directory and result.
//
// The program name is the command line's first token (see CommandLine.h); without an extension
// ".exe" is added. A name with a folder in it is taken relative to the current directory; a bare
// name is looked for in the program's own folder, the current directory, C:\Windows\system32,
// C:\Windows and the folders of the machine's Path (the system environment in the registry),
// in that order. An unquoted first token with blanks in it is tried from its shortest prefix on.

#include "platform/base/WinTypes.h"

#include <optional>
#include <string>

// ShellExecuteA's error results (a success is above 32).
inline constexpr UINT SE_ERR_FNF = 2;
inline constexpr UINT SE_ERR_PNF = 3;
inline constexpr UINT SE_ERR_ACCESSDENIED = 5;
inline constexpr UINT SE_ERR_OOM = 8;
inline constexpr UINT SE_ERR_SHARE = 26;
inline constexpr UINT SE_ERR_ASSOCINCOMPLETE = 27;
inline constexpr UINT SE_ERR_DDETIMEOUT = 28;
inline constexpr UINT SE_ERR_DDEFAIL = 29;
inline constexpr UINT SE_ERR_DDEBUSY = 30;
inline constexpr UINT SE_ERR_NOASSOC = 31;
inline constexpr UINT SE_ERR_DLLNOTFOUND = 32;
inline constexpr UINT ERROR_BAD_FORMAT = 11;

// Above 31 when the program was started (33); else 0 (out of resources), ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND or ERROR_BAD_FORMAT (the file is no program).
UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow);

// Verbs "open" and NULL. An "http://" or "https://" address opens in the web browser; a
// program file starts as `"FULL PATH" PARAMETERS` in lpDirectory (or the current directory).
// Above 32 when done (42), else an SE_ERR_ value (SE_ERR_NOASSOC for a file that is no program,
// an unknown verb, or a missing browser).
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, INT nShowCmd);

namespace platform
{

// Where a program name resolves to, as the start functions look for it: its full Windows path,
// or the error (ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND).
struct ResolvedProgram
{
    std::string path;
    std::uint32_t error = 0;
};
ResolvedProgram ResolveProgramFile(const std::string& name);

// A NicReport.bat stand-in run with a delay writes its report on a thread of the starting
// process (it follows the process's clock). Returns once every such pending report is written.
// Tests on the manual clock advance the clock first.
void WaitForPendingReports();

} // namespace platform
