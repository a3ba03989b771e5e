#pragma once
// Internal to the file functions: an open file behind a HANDLE, and the sharing rules
// between the open files of this process.

#include "platform/base/HandleTable.h"

#include <sys/types.h>

#include <cstdint>
#include <mutex>

namespace platform::file_detail
{

struct FileId
{
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileId&) const = default;
};

// What an open asks for, in the terms the sharing rules use.
struct FileAccessMode
{
    bool read = false;
    bool write = false;
    bool append = false; // writes go to the end (append access without write access)
    bool remove = false;
    DWORD share = 0;
};

FileAccessMode AccessModeFor(DWORD desiredAccess, DWORD shareMode);

class FileObject : public KernelObject
{
public:
    // Takes the descriptor; enters the file into the sharing table (caller holds SharingLock()).
    FileObject(int fd, FileId id, FileAccessMode mode);
    ~FileObject() override;
    FileObject(const FileObject&) = delete;
    FileObject& operator=(const FileObject&) = delete;

    int fd() const { return m_fd; }
    const FileAccessMode& mode() const { return m_mode; }

    // The file pointer belongs to the handle, as on the platform.
    std::mutex pointerLock;
    std::uint64_t pointer = 0;

private:
    int m_fd;
    FileId m_id;
    FileAccessMode m_mode;
};

// Held across the sharing check and the open, so two opens cannot both pass the check.
std::mutex& SharingLock();

// Whether a new open of the file may coexist with the process's open handles to it.
bool SharingAllows(FileId id, const FileAccessMode& mode);

// Whether the file may be deleted or renamed: every open handle shares delete access.
bool DeleteAllowed(FileId id);

} // namespace platform::file_detail
