#include "platform/help/HtmlHelp.h"
#include "platform/help/WinHelp.h"

#include "machine/Machine.h"
#include "machine/programs/ProgramLog.h"
#include "platform/base/Threads.h"
#include "platform/base/WinError.h"
#include "platform/file/WinPath.h"

#include <cstdio>
#include <exception>
#include <string>

namespace
{

void record(const char* viewer, HWND window, LPCSTR file, UINT command, DWORD_PTR data)
{
    std::string line = std::string(viewer) + " ";
    if (file == nullptr)
        line += "NULL";
    else
    {
        line += "[" + std::string(file) + "]";
        if (auto full = platform::FullWindowsPath(file))
            line += " file=[" + *full + "]";
    }
    char tail[96];
    std::snprintf(tail, sizeof tail, " command=%u data=%u thread=%u window=0x%08X", command, data,
                  GetCurrentThreadId(), window);
    line += tail;
    try
    {
        machine::programs::AppendProgramLog(machine::CurrentMachine(), line);
    }
    catch (const std::exception&)
    {
        // Nothing opens either way.
    }
}

} // namespace

HWND HtmlHelpA(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData)
{
    record("HtmlHelp", hwndCaller, pszFile, uCommand, dwData);
    return 0;
}

BOOL WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, DWORD_PTR dwData)
{
    record("WinHelp", hWndMain, lpszHelp, uCommand, dwData);
    if (lpszHelp == nullptr && uCommand != HELP_QUIT)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}
