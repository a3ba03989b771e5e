#include "platform/file/ModuleFile.h"

#include "machine/MachineImage.h"

#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <strings.h>

namespace platform
{
namespace
{

constexpr DWORD kErrorModNotFound = 126;

std::mutex g_nameLock;
std::optional<std::string> g_name;

std::string hostExecutableName()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec || exe.filename().empty() ? std::string("program") : exe.filename().string();
}

bool endsWithExe(const std::string& name)
{
    return name.size() >= 4 && ::strcasecmp(name.c_str() + name.size() - 4, ".exe") == 0;
}

} // namespace

void SetModuleName(std::string name)
{
    std::lock_guard guard(g_nameLock);
    g_name = std::move(name);
}

std::string ModuleFilePath()
{
    std::string name;
    {
        std::lock_guard guard(g_nameLock);
        if (!g_name)
            g_name = hostExecutableName();
        name = *g_name;
    }
    if (!endsWithExe(name))
        name += ".exe";
    return std::string(machine::kProgramFolder) + "\\" + name;
}

} // namespace platform

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    if (hModule != 0)
    {
        SetLastError(platform::kErrorModNotFound);
        return 0;
    }
    std::string path = platform::ModuleFilePath();
    if (lpFilename == nullptr || nSize == 0)
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() >= nSize)
    {
        std::memcpy(lpFilename, path.data(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}
