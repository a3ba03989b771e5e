#pragma once
// File times: the times of an open file (GetFileTime), their conversion to local time and to
// calendar fields, and the framework's CTime and CFile::GetStatus view of the same. A FILETIME
// counts 100 ns units since 1601-01-01 UTC; local time is UTC minus the machine's time-zone
// bias.

#include "platform/base/CString.h"
#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

#include <cstdint>

using LPFILETIME = FILETIME*;
using LPSYSTEMTIME = SYSTEMTIME*;

// Any of the three may be null. FALSE (ERROR_INVALID_HANDLE) for a handle that is no file.
BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                 LPFILETIME lpLastWriteTime);
BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime);
// FALSE (ERROR_INVALID_PARAMETER) for a time at or beyond 0x8000000000000000.
BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
// FALSE (ERROR_INVALID_PARAMETER) for fields out of range (years 1601 to 30827).
BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
void GetSystemTime(LPSYSTEMTIME lpSystemTime);
void GetLocalTime(LPSYSTEMTIME lpSystemTime);

// A point in time, seconds since 1970-01-01 UTC; its fields and Format are local time.
class CTime
{
public:
    CTime() = default;
    explicit CTime(std::int64_t time) : m_time(time) {}
    // From a UTC file time; a time before 1970 gives the invalid time (-1).
    explicit CTime(const FILETIME& fileTime);
    // From local calendar fields.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    static CTime GetCurrentTime();

    std::int64_t GetTime() const { return m_time; }
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 Sunday .. 7 Saturday

    // strftime-style fields (%d %m %Y %y %H %M %S %b %B %a %A %p %%) of the local time; empty
    // when the time cannot be converted (negative or beyond year 3000).
    CString Format(LPCSTR pszFormat) const;

    bool operator==(const CTime&) const = default;

private:
    std::int64_t m_time = 0;
};

struct CFileStatus
{
    CTime m_ctime; // creation
    CTime m_mtime; // last write
    CTime m_atime; // last access
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;
    char m_szFullName[MAX_PATH] = {};
};
