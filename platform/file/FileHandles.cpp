// Opening files and reading, writing and positioning through their handles.

#include "platform/file/DeviceOpen.h"
#include "platform/file/FileApi.h"
#include "platform/file/FileObject.h"
#include "platform/file/HostFileNames.h"
#include "platform/file/WinPath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <memory>
#include <new>

using namespace platform::file_detail;

namespace
{

HANDLE failOpen(DWORD error)
{
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

BOOL fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

// Opens (and, as the disposition says, creates or truncates) the host file. The caller holds
// the sharing lock. Returns the descriptor, or -1 with `error` set.
int openHostFile(const std::filesystem::path& host, const FileAccessMode& mode, DWORD disposition,
                 DWORD attributes, bool& existed, DWORD& error)
{
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        struct stat st;
        existed = ::stat(host.c_str(), &st) == 0;
        if (!existed && errno != ENOENT)
        {
            error = ErrorFromErrno(errno, host);
            return -1;
        }
        if (existed)
        {
            if (disposition == CREATE_NEW)
            {
                error = ERROR_FILE_EXISTS;
                return -1;
            }
            if (!S_ISREG(st.st_mode))
            {
                error = ERROR_ACCESS_DENIED; // folders are not opened as files
                return -1;
            }
            bool truncates = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
            bool writes = mode.write || mode.append || truncates;
            if (writes && !(st.st_mode & S_IWUSR))
            {
                error = ERROR_ACCESS_DENIED; // read-only file
                return -1;
            }
            FileAccessMode asked = mode;
            asked.write = asked.write || truncates;
            if (!SharingAllows(FileId{st.st_dev, st.st_ino}, asked))
            {
                error = ERROR_SHARING_VIOLATION;
                return -1;
            }
            int flags = (writes ? O_RDWR : O_RDONLY) | O_CLOEXEC | (truncates ? O_TRUNC : 0);
            int fd = ::open(host.c_str(), flags);
            if (fd < 0)
                error = ErrorFromErrno(errno, host);
            return fd;
        }
        if (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING)
        {
            error = MissingFileError(host);
            return -1;
        }
        mode_t permissions = (attributes & FILE_ATTRIBUTE_READONLY) ? 0400 : 0600;
        int fd = ::open(host.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, permissions);
        if (fd >= 0)
        {
            ::fchmod(fd, permissions); // the umask must not widen or narrow it
            return fd;
        }
        if (errno != EEXIST)
        {
            error = ErrorFromErrno(errno, host);
            return -1;
        }
        // Created by someone else in between: decide again as for an existing file.
    }
    error = ERROR_SHARING_VIOLATION;
    return -1;
}

std::shared_ptr<FileObject> lookupFile(HANDLE hFile)
{
    auto file = platform::LookupHandle<FileObject>(hFile);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

bool fileSize(const FileObject& file, std::uint64_t& size)
{
    struct stat st;
    if (::fstat(file.fd(), &st) != 0)
        return false;
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

} // namespace

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    try
    {
        if (lpFileName != nullptr && platform::IsDevicePath(lpFileName))
        {
            platform::DeviceOpenRequest request;
            request.name = lpFileName + 4;
            request.desiredAccess = dwDesiredAccess;
            request.shareMode = dwShareMode;
            request.creationDisposition = dwCreationDisposition;
            request.flagsAndAttributes = dwFlagsAndAttributes;
            return platform::OpenDevice(request);
        }
        if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING)
            return failOpen(ERROR_INVALID_PARAMETER);
        FileAccessMode mode = AccessModeFor(dwDesiredAccess, dwShareMode);
        if (dwCreationDisposition == TRUNCATE_EXISTING && !mode.write)
            return failOpen(ERROR_INVALID_PARAMETER);
        DWORD error = ERROR_SUCCESS;
        auto host = ResolveFileName(lpFileName, error);
        if (!host)
            return failOpen(error);

        bool existed = false;
        std::shared_ptr<FileObject> file;
        {
            std::lock_guard guard(SharingLock());
            int fd = openHostFile(*host, mode, dwCreationDisposition, dwFlagsAndAttributes, existed,
                                  error);
            if (fd < 0)
                return failOpen(error);
            struct stat st;
            if (::fstat(fd, &st) != 0)
            {
                error = ErrorFromErrno(errno, *host);
                ::close(fd);
                return failOpen(error);
            }
            file = std::make_shared<FileObject>(fd, FileId{st.st_dev, st.st_ino}, mode);
        }
        // Outside the sharing lock: a file object that dies takes that lock.
        HANDLE handle = platform::RegisterHandle(std::move(file));
        bool reported = existed && (dwCreationDisposition == CREATE_ALWAYS ||
                                    dwCreationDisposition == OPEN_ALWAYS);
        SetLastError(reported ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
        return handle;
    }
    catch (const std::bad_alloc&)
    {
        return failOpen(ERROR_NOT_ENOUGH_MEMORY);
    }
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped)
{
    if (lpNumberOfBytesRead != nullptr)
        *lpNumberOfBytesRead = 0;
    auto file = lookupFile(hFile);
    if (!file)
        return FALSE;
    if (lpOverlapped != nullptr)
        return fail(ERROR_INVALID_PARAMETER);
    if (!file->mode().read)
        return fail(ERROR_ACCESS_DENIED);
    if (nNumberOfBytesToRead > 0 && lpBuffer == nullptr)
        return fail(ERROR_NOACCESS);

    std::lock_guard guard(file->pointerLock);
    char* out = static_cast<char*>(lpBuffer);
    DWORD done = 0;
    while (done < nNumberOfBytesToRead)
    {
        ssize_t n = ::pread(file->fd(), out + done, nNumberOfBytesToRead - done,
                            static_cast<off_t>(file->pointer + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
        {
            file->pointer += done;
            if (lpNumberOfBytesRead != nullptr)
                *lpNumberOfBytesRead = done;
            return fail(ERROR_READ_FAULT);
        }
        if (n == 0)
            break; // end of file: success with fewer bytes
        done += static_cast<DWORD>(n);
    }
    file->pointer += done;
    if (lpNumberOfBytesRead != nullptr)
        *lpNumberOfBytesRead = done;
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped)
{
    if (lpNumberOfBytesWritten != nullptr)
        *lpNumberOfBytesWritten = 0;
    auto file = lookupFile(hFile);
    if (!file)
        return FALSE;
    if (lpOverlapped != nullptr)
        return fail(ERROR_INVALID_PARAMETER);
    if (!file->mode().write && !file->mode().append)
        return fail(ERROR_ACCESS_DENIED);
    if (nNumberOfBytesToWrite > 0 && lpBuffer == nullptr)
        return fail(ERROR_NOACCESS);

    std::lock_guard guard(file->pointerLock);
    if (file->mode().append && !fileSize(*file, file->pointer))
        return fail(ERROR_WRITE_FAULT);
    const char* in = static_cast<const char*>(lpBuffer);
    DWORD done = 0;
    while (done < nNumberOfBytesToWrite)
    {
        ssize_t n = ::pwrite(file->fd(), in + done, nNumberOfBytesToWrite - done,
                             static_cast<off_t>(file->pointer + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            int err = errno;
            file->pointer += done;
            if (lpNumberOfBytesWritten != nullptr)
                *lpNumberOfBytesWritten = done;
            return fail(n < 0 && (err == ENOSPC || err == EDQUOT) ? kErrorDiskFull
                                                                  : ERROR_WRITE_FAULT);
        }
        done += static_cast<DWORD>(n);
    }
    file->pointer += done;
    if (lpNumberOfBytesWritten != nullptr)
        *lpNumberOfBytesWritten = done;
    return TRUE;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                     DWORD dwMoveMethod)
{
    auto file = lookupFile(hFile);
    if (!file)
        return INVALID_SET_FILE_POINTER;
    // With a high part the distance is one signed 64-bit number.
    std::int64_t distance = lDistanceToMove;
    if (lpDistanceToMoveHigh != nullptr)
        distance = static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(static_cast<std::uint32_t>(*lpDistanceToMoveHigh)) << 32) |
            static_cast<std::uint32_t>(lDistanceToMove));

    std::lock_guard guard(file->pointerLock);
    std::uint64_t base = 0;
    switch (dwMoveMethod)
    {
    case FILE_BEGIN:
        break;
    case FILE_CURRENT:
        base = file->pointer;
        break;
    case FILE_END:
        if (!fileSize(*file, base))
        {
            SetLastError(ERROR_INVALID_HANDLE);
            return INVALID_SET_FILE_POINTER;
        }
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    // Positions stay within 63 bits, so the sum cannot overflow.
    std::int64_t position = static_cast<std::int64_t>(base) + distance;
    if (position < 0)
    {
        SetLastError(kErrorNegativeSeek);
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh == nullptr && position > std::int64_t{0xFFFFFFFF})
    {
        SetLastError(ERROR_INVALID_PARAMETER); // not expressible without the high part
        return INVALID_SET_FILE_POINTER;
    }
    file->pointer = static_cast<std::uint64_t>(position);
    if (lpDistanceToMoveHigh != nullptr)
        *lpDistanceToMoveHigh = static_cast<LONG>(position >> 32);
    // A low part of 0xFFFFFFFF is a valid answer: callers tell it apart by the last error.
    SetLastError(NO_ERROR);
    return static_cast<DWORD>(position & 0xFFFFFFFFu);
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    auto file = lookupFile(hFile);
    if (!file)
        return INVALID_FILE_SIZE;
    std::uint64_t size = 0;
    if (!fileSize(*file, size))
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    if (lpFileSizeHigh != nullptr)
        *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(NO_ERROR);
    return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

BOOL SetEndOfFile(HANDLE hFile)
{
    auto file = lookupFile(hFile);
    if (!file)
        return FALSE;
    if (!file->mode().write && !file->mode().append)
        return fail(ERROR_ACCESS_DENIED);
    std::lock_guard guard(file->pointerLock);
    if (::ftruncate(file->fd(), static_cast<off_t>(file->pointer)) != 0)
        return fail(errno == ENOSPC || errno == EFBIG ? kErrorDiskFull : ERROR_WRITE_FAULT);
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile)
{
    auto file = lookupFile(hFile);
    if (!file)
        return FALSE;
    if (!file->mode().write && !file->mode().append)
        return fail(ERROR_ACCESS_DENIED);
    if (::fsync(file->fd()) != 0)
        return fail(ERROR_WRITE_FAULT);
    return TRUE;
}
