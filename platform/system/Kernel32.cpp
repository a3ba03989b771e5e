#include "platform/system/Kernel32.h"

#include "machine/SystemInfo.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <exception>
#include <optional>
#include <string>

namespace
{

constexpr HMODULE kKernel32 = 0x77E40000u;
constexpr HANDLE kCurrentProcess = 0xFFFFFFFFu; // the pseudo handle, as on the platform

constexpr const char* kSystemFolder = "C:\\Windows\\system32";
constexpr const char* kWindowsFolder = "C:\\Windows";
constexpr const char* kWow64Folder = "C:\\Windows\\SysWOW64";

// Redirection is a property of each thread: switching it off on one leaves the others as
// they are.
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

// Programs ask kernel32 for its functions while they load, before the framework has checked
// the machine: one that cannot be opened answers as a system without the exports.
std::optional<machine::SystemInfo> systemInfo()
{
    try
    {
        return machine::LoadSystemInfo(machine::CurrentMachine());
    }
    catch (const std::exception&)
    {
        return std::nullopt;
    }
}

BOOL IsWow64ProcessImpl(HANDLE hProcess, PBOOL Wow64Process)
{
    if (Wow64Process == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const auto info = systemInfo();
    *Wow64Process = info && info->wow64 ? TRUE : FALSE;
    return TRUE;
}

BOOL Wow64EnableWow64FsRedirectionImpl(BOOL enable)
{
    t_redirection = enable != FALSE;
    return TRUE;
}

// The saved state is the flag itself, carried in the opaque pointer-sized value.
void* const kRedirectionWasOff = nullptr;
void* const kRedirectionWasOn = reinterpret_cast<void*>(std::uintptr_t{1});

BOOL Wow64DisableWow64FsRedirectionImpl(void** OldValue)
{
    if (OldValue == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *OldValue = t_redirection ? kRedirectionWasOn : kRedirectionWasOff;
    t_redirection = false;
    return TRUE;
}

BOOL Wow64RevertWow64FsRedirectionImpl(void* OldValue)
{
    if (OldValue != kRedirectionWasOn && OldValue != kRedirectionWasOff)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    t_redirection = OldValue == kRedirectionWasOn;
    return TRUE;
}

UINT copyFolder(const char* folder, LPSTR lpBuffer, UINT uSize)
{
    const UINT length = static_cast<UINT>(std::strlen(folder));
    if (lpBuffer == nullptr || uSize <= length)
        return length + 1;
    std::memcpy(lpBuffer, folder, length + 1);
    return length;
}

bool startsWithFolder(const std::string& path, const char* folder)
{
    const std::size_t n = std::strlen(folder);
    if (path.size() < n || (path.size() > n && path[n] != '\\'))
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(path[i])) !=
            std::tolower(static_cast<unsigned char>(folder[i])))
            return false;
    return true;
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
    const auto info = hModule == kKernel32 && lpProcName != nullptr ? systemInfo() : std::nullopt;
    if (info && info->hasWow64Exports)
    {
        if (std::string(lpProcName) == "IsWow64Process")
            return reinterpret_cast<FARPROC>(&IsWow64ProcessImpl);
        if (std::string(lpProcName) == "Wow64EnableWow64FsRedirection")
            return reinterpret_cast<FARPROC>(&Wow64EnableWow64FsRedirectionImpl);
        if (std::string(lpProcName) == "Wow64DisableWow64FsRedirection")
            return reinterpret_cast<FARPROC>(&Wow64DisableWow64FsRedirectionImpl);
        if (std::string(lpProcName) == "Wow64RevertWow64FsRedirection")
            return reinterpret_cast<FARPROC>(&Wow64RevertWow64FsRedirectionImpl);
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

HANDLE GetCurrentProcess()
{
    return kCurrentProcess;
}

UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    return copyFolder(kSystemFolder, lpBuffer, uSize);
}

UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    return copyFolder(kWindowsFolder, lpBuffer, uSize);
}

namespace platform
{
bool Wow64RedirectionEnabled()
{
    return t_redirection;
}

std::string RedirectedPath(const std::string& fullWindowsPath)
{
    if (!t_redirection || !startsWithFolder(fullWindowsPath, kSystemFolder))
        return fullWindowsPath;
    const auto info = systemInfo();
    if (!info || !info->wow64)
        return fullWindowsPath;
    return kWow64Folder + fullWindowsPath.substr(std::strlen(kSystemFolder));
}
} // namespace platform
