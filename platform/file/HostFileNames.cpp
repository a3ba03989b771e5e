#include "platform/file/HostFileNames.h"

#include "platform/base/WinError.h"
#include "platform/file/WinPath.h"
#include "platform/system/Kernel32.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace platform::file_detail
{

std::optional<std::filesystem::path> ResolveFileName(LPCSTR name, DWORD& error)
{
    if (name == nullptr || *name == '\0')
    {
        error = name == nullptr ? ERROR_INVALID_PARAMETER : ERROR_PATH_NOT_FOUND;
        return std::nullopt;
    }
    auto full = FullWindowsPath(name);
    if (!full)
    {
        error = ERROR_PATH_NOT_FOUND;
        return std::nullopt;
    }
    // A WOW64 thread with redirection on reaches the 32-bit system folder instead.
    full = RedirectedPath(*full);
    // The drive's "X:" is the only place a colon may stand.
    for (std::size_t i = 2; i < full->size(); ++i)
    {
        unsigned char c = static_cast<unsigned char>((*full)[i]);
        if (c < 0x20 || std::strchr("<>:\"|?*", c) != nullptr)
        {
            error = ERROR_INVALID_NAME;
            return std::nullopt;
        }
    }
    auto host = HostPath(*full);
    if (!host)
    {
        error = ERROR_PATH_NOT_FOUND;
        return std::nullopt;
    }
    return host;
}

DWORD MissingFileError(const std::filesystem::path& host)
{
    struct stat st;
    if (::stat(host.parent_path().c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return ERROR_FILE_NOT_FOUND;
    return ERROR_PATH_NOT_FOUND;
}

DWORD ErrorFromErrno(int err, const std::filesystem::path& host)
{
    switch (err)
    {
    case ENOENT:
        return MissingFileError(host);
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOSPC:
    case EDQUOT:
        return kErrorDiskFull;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG:
        return kErrorFilenameTooLong;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_GEN_FAILURE;
    }
}

} // namespace platform::file_detail
