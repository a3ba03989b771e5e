#include "platform/system/Kernel32.h"

#include "machine/SystemInfo.h"

#include <cctype>
#include <string>

namespace
{

constexpr HMODULE kKernel32 = 0x77E40000u;
constexpr HANDLE kCurrentProcess = 0xFFFFFFFFu; // the pseudo handle, as on the platform

thread_local bool t_redirection = true;

bool sameName(LPCSTR a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

bool isKernel32(LPCSTR name)
{
    return sameName(name, "kernel32.dll") || sameName(name, "kernel32");
}

machine::SystemInfo systemInfo()
{
    return machine::LoadSystemInfo(machine::CurrentMachine());
}

BOOL IsWow64ProcessImpl(HANDLE hProcess, PBOOL Wow64Process)
{
    if (Wow64Process == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *Wow64Process = systemInfo().wow64 ? TRUE : FALSE;
    return TRUE;
}

BOOL Wow64EnableWow64FsRedirectionImpl(BOOL enable)
{
    t_redirection = enable != FALSE;
    return TRUE;
}

} // namespace

HMODULE GetModuleHandleA(LPCSTR lpModuleName)
{
    if (lpModuleName != nullptr && isKernel32(lpModuleName))
        return kKernel32;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
}

HMODULE LoadLibraryA(LPCSTR lpLibFileName)
{
    return GetModuleHandleA(lpLibFileName);
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    return hLibModule == kKernel32 ? TRUE : FALSE;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    if (hModule == kKernel32 && lpProcName != nullptr && systemInfo().hasWow64Exports)
    {
        if (std::string(lpProcName) == "IsWow64Process")
            return reinterpret_cast<FARPROC>(&IsWow64ProcessImpl);
        if (std::string(lpProcName) == "Wow64EnableWow64FsRedirection")
            return reinterpret_cast<FARPROC>(&Wow64EnableWow64FsRedirectionImpl);
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

HANDLE GetCurrentProcess()
{
    return kCurrentProcess;
}

namespace platform
{
bool Wow64RedirectionEnabled()
{
    return t_redirection;
}
} // namespace platform
