#include "platform/file/WinPath.h"

#include "machine/AsciiCase.h"
#include "machine/Machine.h"
#include "machine/MachineImage.h"
#include "platform/base/WinError.h"

#include <cctype>
#include <cstring>
#include <mutex>
#include <vector>

namespace platform
{
namespace
{

std::mutex g_cwdLock;
std::optional<std::string> g_cwd;

char upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool hasDrive(std::string_view p)
{
    return p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]));
}

std::string initialDirectory()
{
    namespace fs = std::filesystem;
    const machine::Machine& m = machine::CurrentMachine();
    std::error_code ec;
    fs::path here = fs::current_path(ec);
    if (!ec)
    {
        for (char drive = 'C'; drive <= 'Z'; ++drive)
        {
            fs::path root = m.driveDir(drive);
            auto rel = here.lexically_relative(root);
            if (!rel.empty() && *rel.begin() != "..")
            {
                std::string out(1, drive);
                out += ":";
                for (const auto& part : rel)
                    if (part != ".")
                        out += "\\" + part.string();
                return out.size() == 2 ? out + "\\" : out;
            }
            if (drive == 'C')
                break; // only C: exists on these machines
        }
    }
    return machine::kProgramFolder;
}

} // namespace

std::string CurrentDirectory()
{
    std::lock_guard guard(g_cwdLock);
    if (!g_cwd)
        g_cwd = initialDirectory();
    return *g_cwd;
}

void SetCurrentDirectoryPath(std::string path)
{
    std::lock_guard guard(g_cwdLock);
    g_cwd = std::move(path);
}

bool IsDevicePath(std::string_view path)
{
    return path.size() >= 4 && (path[0] == '\\' || path[0] == '/') &&
           (path[1] == '\\' || path[1] == '/') && path[2] == '.' &&
           (path[3] == '\\' || path[3] == '/');
}

std::optional<std::string> FullWindowsPath(std::string_view path)
{
    if (path.empty() || IsDevicePath(path))
        return std::nullopt;
    std::string cwd = CurrentDirectory();
    std::string drive;
    std::string rest;
    if (hasDrive(path))
    {
        drive = std::string(1, upper(path[0])) + ":";
        std::string_view tail = path.substr(2);
        if (!tail.empty() && (tail[0] == '\\' || tail[0] == '/'))
            rest = std::string(tail);
        else if (hasDrive(cwd) && upper(cwd[0]) == drive[0])
            rest = cwd.substr(2) + "\\" + std::string(tail);
        else
            rest = "\\" + std::string(tail);
    }
    else if (path[0] == '\\' || path[0] == '/')
    {
        drive = cwd.substr(0, 2);
        rest = std::string(path);
    }
    else
    {
        drive = cwd.substr(0, 2);
        rest = cwd.substr(2) + "\\" + std::string(path);
    }

    std::vector<std::string> parts;
    std::string part;
    auto flush = [&]() -> bool
    {
        if (part.empty() || part == ".")
        {
        }
        else if (part == "..")
        {
            if (parts.empty())
                return false;
            parts.pop_back();
        }
        else
            parts.push_back(part);
        part.clear();
        return true;
    };
    for (char c : rest)
    {
        if (c == '\\' || c == '/')
        {
            if (!flush())
                return std::nullopt;
        }
        else
            part += c;
    }
    if (!flush())
        return std::nullopt;

    std::string out = drive;
    for (const auto& p : parts)
        out += "\\" + p;
    if (parts.empty())
        out += "\\";
    return out;
}

std::optional<std::filesystem::path> HostPath(std::string_view path)
{
    namespace fs = std::filesystem;
    auto full = FullWindowsPath(path);
    if (!full)
        return std::nullopt;
    fs::path host = machine::CurrentMachine().driveDir((*full)[0]);
    std::string_view rest = std::string_view(*full).substr(3);
    while (!rest.empty())
    {
        auto sep = rest.find('\\');
        std::string_view name = rest.substr(0, sep);
        rest = sep == std::string_view::npos ? std::string_view() : rest.substr(sep + 1);
        fs::path next = host / std::string(name);
        std::error_code ec;
        if (!fs::exists(next, ec) && fs::is_directory(host, ec))
        {
            for (const auto& entry : fs::directory_iterator(host, ec))
            {
                if (machine::EqualNoCase(entry.path().filename().string(), name))
                {
                    next = entry.path();
                    break;
                }
            }
        }
        host = next;
    }
    return host;
}

} // namespace platform

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    std::string cwd = platform::CurrentDirectory();
    // With room for the text and its zero: the length without it; else the size needed.
    if (lpBuffer == nullptr || nBufferLength < cwd.size() + 1)
        return static_cast<DWORD>(cwd.size() + 1);
    std::memcpy(lpBuffer, cwd.c_str(), cwd.size() + 1);
    return static_cast<DWORD>(cwd.size());
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName)
{
    if (lpPathName == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto full = platform::FullWindowsPath(lpPathName);
    auto host = platform::HostPath(lpPathName);
    std::error_code ec;
    if (!full || !host || !std::filesystem::is_directory(*host, ec))
    {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    platform::SetCurrentDirectoryPath(*full);
    return TRUE;
}
