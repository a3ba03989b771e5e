// Deleting, copying, renaming and inspecting files, and creating folders, by name.

#include "machine/FileStore.h"
#include "platform/file/FileApi.h"
#include "platform/file/FileObject.h"
#include "platform/file/HostFileNames.h"
#include "platform/file/WinPath.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

using namespace platform::file_detail;
namespace fs = std::filesystem;

namespace
{

BOOL fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

// stat() of a resolved name; false with `error` set when it does not exist.
bool statName(const fs::path& host, struct stat& st, DWORD& error)
{
    if (::stat(host.c_str(), &st) == 0)
        return true;
    error = ErrorFromErrno(errno, host);
    return false;
}

bool readOnly(const struct stat& st)
{
    return !(st.st_mode & S_IWUSR);
}

FileId idOf(const struct stat& st)
{
    return FileId{st.st_dev, st.st_ino};
}

// The last component as the caller spelled it: a rename that only changes case keeps it.
fs::path spelledTarget(const fs::path& host, LPCSTR name)
{
    auto full = platform::FullWindowsPath(name);
    if (!full)
        return host;
    auto slash = full->rfind('\\');
    std::string last = full->substr(slash + 1);
    return last.empty() ? host : host.parent_path() / last;
}

// rename() that refuses to replace an existing target, where the host can say so.
int renameNoReplace(const fs::path& from, const fs::path& to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
#endif
    struct stat st;
    if (::lstat(to.c_str(), &st) == 0)
    {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

} // namespace

BOOL DeleteFileA(LPCSTR lpFileName)
{
    DWORD error = ERROR_SUCCESS;
    auto host = ResolveFileName(lpFileName, error);
    if (!host)
        return fail(error);
    struct stat st;
    if (!statName(*host, st, error))
        return fail(error);
    if (S_ISDIR(st.st_mode) || readOnly(st))
        return fail(ERROR_ACCESS_DENIED);
    if (!DeleteAllowed(idOf(st)))
        return fail(ERROR_SHARING_VIOLATION);
    if (::unlink(host->c_str()) != 0)
        return fail(ErrorFromErrno(errno, *host));
    return TRUE;
}

BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    try
    {
        DWORD error = ERROR_SUCCESS;
        auto from = ResolveFileName(lpExistingFileName, error);
        if (!from)
            return fail(error);
        auto to = ResolveFileName(lpNewFileName, error);
        if (!to)
            return fail(error);
        struct stat src;
        if (!statName(*from, src, error))
            return fail(error);
        if (S_ISDIR(src.st_mode))
            return fail(ERROR_ACCESS_DENIED);
        {
            std::lock_guard guard(SharingLock());
            if (!SharingAllows(idOf(src),
                               AccessModeFor(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE |
                                                               FILE_SHARE_DELETE)))
                return fail(ERROR_SHARING_VIOLATION);
        }
        struct stat dst;
        if (::stat(to->c_str(), &dst) == 0)
        {
            if (bFailIfExists)
                return fail(ERROR_FILE_EXISTS);
            if (S_ISDIR(dst.st_mode) || readOnly(dst))
                return fail(ERROR_ACCESS_DENIED);
            if (idOf(dst) == idOf(src))
                return fail(ERROR_SHARING_VIOLATION); // a file cannot be copied onto itself
            std::lock_guard guard(SharingLock());
            if (!SharingAllows(idOf(dst), AccessModeFor(GENERIC_WRITE, 0)))
                return fail(ERROR_SHARING_VIOLATION);
        }
        else if (int err = errno; err != ENOENT || MissingFileError(*to) != ERROR_FILE_NOT_FOUND)
            return fail(ErrorFromErrno(err, *to));

        auto data = machine::ReadWholeFile(*from);
        if (!data)
            return fail(ERROR_ACCESS_DENIED);
        if (!machine::WriteFileAtomically(*to, *data, machine::FileAccess::OwnerOnly))
            return fail(ERROR_ACCESS_DENIED);
        if (readOnly(src))
            ::chmod(to->c_str(), 0400); // the copy keeps the read-only attribute
        return TRUE;
    }
    catch (const std::bad_alloc&)
    {
        return fail(ERROR_NOT_ENOUGH_MEMORY);
    }
}

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    DWORD error = ERROR_SUCCESS;
    auto from = ResolveFileName(lpExistingFileName, error);
    if (!from)
        return fail(error);
    auto to = ResolveFileName(lpNewFileName, error);
    if (!to)
        return fail(error);
    struct stat src;
    if (!statName(*from, src, error))
        return fail(error);
    if (!DeleteAllowed(idOf(src)))
        return fail(ERROR_SHARING_VIOLATION);

    struct stat dst;
    if (::stat(to->c_str(), &dst) == 0)
    {
        if (idOf(dst) == idOf(src))
        {
            // The same file under another spelling: only the case of the name changes.
            if (::rename(from->c_str(), spelledTarget(*to, lpNewFileName).c_str()) != 0)
                return fail(ErrorFromErrno(errno, *to));
            return TRUE;
        }
        if (!(dwFlags & MOVEFILE_REPLACE_EXISTING))
            return fail(ERROR_ALREADY_EXISTS);
        if (S_ISDIR(dst.st_mode) || S_ISDIR(src.st_mode) || readOnly(dst))
            return fail(ERROR_ACCESS_DENIED);
        if (!DeleteAllowed(idOf(dst)))
            return fail(ERROR_SHARING_VIOLATION);
        if (::rename(from->c_str(), to->c_str()) != 0)
            return fail(ErrorFromErrno(errno, *to));
    }
    else
    {
        if (int err = errno; err != ENOENT || MissingFileError(*to) != ERROR_FILE_NOT_FOUND)
            return fail(ErrorFromErrno(err, *to));
        if (renameNoReplace(*from, *to) != 0)
            return fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : ErrorFromErrno(errno, *to));
    }
    if (dwFlags & MOVEFILE_WRITE_THROUGH)
    {
        int dir = ::open(to->parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0)
        {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return TRUE;
}

BOOL MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName)
{
    return MoveFileExA(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}

DWORD GetFileAttributesA(LPCSTR lpFileName)
{
    DWORD error = ERROR_SUCCESS;
    auto host = ResolveFileName(lpFileName, error);
    struct stat st;
    if (!host || !statName(*host, st, error))
    {
        SetLastError(error);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (S_ISDIR(st.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    // A file the platform has written carries the archive mark.
    return FILE_ATTRIBUTE_ARCHIVE | (readOnly(st) ? FILE_ATTRIBUTE_READONLY : 0);
}

BOOL SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes)
{
    DWORD error = ERROR_SUCCESS;
    auto host = ResolveFileName(lpFileName, error);
    struct stat st;
    if (!host || !statName(*host, st, error))
        return fail(error);
    mode_t mode = st.st_mode & 07777;
    mode = (dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~S_IWUSR) : (mode | S_IWUSR);
    if (::chmod(host->c_str(), mode) != 0)
        return fail(ErrorFromErrno(errno, *host));
    return TRUE;
}

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes)
{
    DWORD error = ERROR_SUCCESS;
    auto host = ResolveFileName(lpPathName, error);
    if (!host)
        return fail(error);
    struct stat st;
    if (::lstat(host->c_str(), &st) == 0)
        return fail(ERROR_ALREADY_EXISTS);
    if (::mkdir(host->c_str(), 0700) != 0)
        return fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno, *host));
    ::chmod(host->c_str(), 0700); // the umask must not widen or narrow it
    return TRUE;
}
