#include "platform/file/FileTime.h"

#include "machine/SystemInfo.h"
#include "platform/base/HandleTable.h"
#include "platform/file/FileObject.h"
#include "platform/file/HostFileNames.h"
#include "platform/file/StdioFile.h"
#include "platform/file/WinPath.h"

#include <chrono>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

namespace
{

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
// 1601-01-01 to 1970-01-01 in 100 ns units.
constexpr std::uint64_t kUnixEpochTicks = 116'444'736'000'000'000ull;
constexpr std::uint64_t kMaxFileTime = 0x7FFFFFFFFFFFFFFFull;
// The framework's times end with the year 3000.
constexpr std::int64_t kLastCTime = 32'535'215'999; // 3000-12-31 23:59:59

std::uint64_t toTicks(const FILETIME& ft)
{
    return (std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
}

FILETIME fromTicks(std::uint64_t ticks)
{
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

FILETIME fromTimespec(const struct timespec& ts)
{
    if (ts.tv_sec < 0)
        return fromTicks(0);
    return fromTicks(kUnixEpochTicks + std::uint64_t(ts.tv_sec) * kTicksPerSecond +
                     std::uint64_t(ts.tv_nsec) / 100);
}

std::int64_t biasSeconds()
{
    return std::int64_t{machine::LoadSystemInfo(machine::CurrentMachine()).timeZoneBiasMinutes} *
           60;
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil
{
    std::int64_t year;
    unsigned month, day, hour, minute, second, dayOfWeek; // dayOfWeek 0 Sunday
};

Civil civilFromSeconds(std::int64_t seconds)
{
    std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    std::int64_t rest = seconds - days * 86400;
    Civil c{};
    c.hour = static_cast<unsigned>(rest / 3600);
    c.minute = static_cast<unsigned>(rest / 60 % 60);
    c.second = static_cast<unsigned>(rest % 60);
    c.dayOfWeek = static_cast<unsigned>(((days % 7) + 11) % 7); // 1970-01-01 was a Thursday
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    c.day = doy - (153 * mp + 2) / 5 + 1;
    c.month = mp < 10 ? mp + 3 : mp - 9;
    c.year = static_cast<std::int64_t>(yoe) + era * 400 + (c.month <= 2);
    return c;
}

bool leapYear(std::int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

unsigned daysInMonth(std::int64_t y, unsigned m)
{
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : kDays[m - 1];
}

std::int64_t nowSeconds()
{
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                 LPFILETIME lpLastWriteTime)
{
    auto file = platform::LookupHandle<platform::file_detail::FileObject>(hFile);
    struct stat st;
    if (!file || ::fstat(file->fd(), &st) != 0)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // The host keeps no creation time: the last write stands for it.
    if (lpCreationTime != nullptr)
        *lpCreationTime = fromTimespec(st.st_mtim);
    if (lpLastAccessTime != nullptr)
        *lpLastAccessTime = fromTimespec(st.st_atim);
    if (lpLastWriteTime != nullptr)
        *lpLastWriteTime = fromTimespec(st.st_mtim);
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime)
{
    if (lpFileTime == nullptr || lpLocalFileTime == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::int64_t shift = -biasSeconds() * std::int64_t{kTicksPerSecond};
    const std::uint64_t t = toTicks(*lpFileTime);
    if ((shift < 0 && t < std::uint64_t(-shift)) || (shift > 0 && t > kMaxFileTime - shift))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpLocalFileTime = fromTicks(t + static_cast<std::uint64_t>(shift));
    return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime)
{
    if (lpFileTime == nullptr || lpLocalFileTime == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::int64_t shift = biasSeconds() * std::int64_t{kTicksPerSecond};
    const std::uint64_t t = toTicks(*lpLocalFileTime);
    if ((shift < 0 && t < std::uint64_t(-shift)) || (shift > 0 && t > kMaxFileTime - shift))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpFileTime = fromTicks(t + static_cast<std::uint64_t>(shift));
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime)
{
    if (lpFileTime == nullptr || lpSystemTime == nullptr || toTicks(*lpFileTime) > kMaxFileTime)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::uint64_t t = toTicks(*lpFileTime);
    const std::int64_t seconds = static_cast<std::int64_t>(t / kTicksPerSecond) -
                                 std::int64_t(kUnixEpochTicks / kTicksPerSecond);
    const Civil c = civilFromSeconds(seconds);
    lpSystemTime->wYear = static_cast<WORD>(c.year);
    lpSystemTime->wMonth = static_cast<WORD>(c.month);
    lpSystemTime->wDayOfWeek = static_cast<WORD>(c.dayOfWeek);
    lpSystemTime->wDay = static_cast<WORD>(c.day);
    lpSystemTime->wHour = static_cast<WORD>(c.hour);
    lpSystemTime->wMinute = static_cast<WORD>(c.minute);
    lpSystemTime->wSecond = static_cast<WORD>(c.second);
    lpSystemTime->wMilliseconds = static_cast<WORD>(t % kTicksPerSecond / 10'000);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime)
{
    if (lpSystemTime == nullptr || lpFileTime == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const SYSTEMTIME& s = *lpSystemTime;
    if (s.wYear < 1601 || s.wYear > 30827 || s.wMonth < 1 || s.wMonth > 12 || s.wDay < 1 ||
        s.wDay > daysInMonth(s.wYear, s.wMonth) || s.wHour > 23 || s.wMinute > 59 ||
        s.wSecond > 59 || s.wMilliseconds > 999)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::int64_t seconds = daysFromCivil(s.wYear, s.wMonth, s.wDay) * 86400 + s.wHour * 3600 +
                                 s.wMinute * 60 + s.wSecond;
    const std::int64_t ticks = (seconds + std::int64_t(kUnixEpochTicks / kTicksPerSecond)) *
                                   std::int64_t{kTicksPerSecond} +
                               std::int64_t{s.wMilliseconds} * 10'000;
    *lpFileTime = fromTicks(static_cast<std::uint64_t>(ticks));
    return TRUE;
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
    if (lpSystemTime == nullptr)
        return;
    const auto ticks = kUnixEpochTicks + std::uint64_t(nowSeconds()) * kTicksPerSecond;
    const FILETIME ft = fromTicks(ticks);
    FileTimeToSystemTime(&ft, lpSystemTime);
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    if (lpSystemTime == nullptr)
        return;
    const FILETIME utc = fromTicks(kUnixEpochTicks + std::uint64_t(nowSeconds()) * kTicksPerSecond);
    FILETIME local{};
    if (FileTimeToLocalFileTime(&utc, &local))
        FileTimeToSystemTime(&local, lpSystemTime);
}

CTime::CTime(const FILETIME& fileTime)
{
    const std::uint64_t t = toTicks(fileTime);
    m_time = t < kUnixEpochTicks
                 ? -1
                 : static_cast<std::int64_t>((t - kUnixEpochTicks) / kTicksPerSecond);
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    if (nYear < 1970 || nYear > 3000 || nMonth < 1 || nMonth > 12 || nDay < 1 ||
        nDay > static_cast<int>(daysInMonth(nYear, static_cast<unsigned>(nMonth))) || nHour < 0 ||
        nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59)
    {
        m_time = -1;
        return;
    }
    m_time =
        daysFromCivil(nYear, static_cast<unsigned>(nMonth), static_cast<unsigned>(nDay)) * 86400 +
        nHour * 3600 + nMin * 60 + nSec + biasSeconds();
}

CTime CTime::GetCurrentTime()
{
    return CTime(nowSeconds());
}

namespace
{
Civil localCivil(std::int64_t t)
{
    return civilFromSeconds(t - biasSeconds());
}
} // namespace

int CTime::GetYear() const
{
    return static_cast<int>(localCivil(m_time).year);
}
int CTime::GetMonth() const
{
    return static_cast<int>(localCivil(m_time).month);
}
int CTime::GetDay() const
{
    return static_cast<int>(localCivil(m_time).day);
}
int CTime::GetHour() const
{
    return static_cast<int>(localCivil(m_time).hour);
}
int CTime::GetMinute() const
{
    return static_cast<int>(localCivil(m_time).minute);
}
int CTime::GetSecond() const
{
    return static_cast<int>(localCivil(m_time).second);
}
int CTime::GetDayOfWeek() const
{
    return static_cast<int>(localCivil(m_time).dayOfWeek) + 1;
}

CString CTime::Format(LPCSTR pszFormat) const
{
    if (pszFormat == nullptr || m_time < 0 || m_time > kLastCTime)
        return CString();
    const std::int64_t local = m_time - biasSeconds();
    if (local < 0 || local > kLastCTime)
        return CString();
    const Civil c = civilFromSeconds(local);
    std::tm tm{};
    tm.tm_year = static_cast<int>(c.year - 1900);
    tm.tm_mon = static_cast<int>(c.month - 1);
    tm.tm_mday = static_cast<int>(c.day);
    tm.tm_hour = static_cast<int>(c.hour);
    tm.tm_min = static_cast<int>(c.minute);
    tm.tm_sec = static_cast<int>(c.second);
    tm.tm_wday = static_cast<int>(c.dayOfWeek);
    tm.tm_yday = static_cast<int>(local / 86400 - daysFromCivil(c.year, 1, 1));
    char buffer[256];
    const std::size_t n = std::strftime(buffer, sizeof(buffer), pszFormat, &tm);
    return CString(std::string(buffer, n).c_str());
}

BOOL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus)
{
    DWORD error = ERROR_SUCCESS;
    auto host = platform::file_detail::ResolveFileName(lpszFileName, error);
    struct stat st;
    if (!host)
    {
        SetLastError(error);
        return FALSE;
    }
    if (::stat(host->c_str(), &st) != 0)
    {
        SetLastError(platform::file_detail::ErrorFromErrno(errno, *host));
        return FALSE;
    }
    rStatus = CFileStatus{};
    rStatus.m_mtime = CTime(fromTimespec(st.st_mtim));
    rStatus.m_atime = CTime(fromTimespec(st.st_atim));
    rStatus.m_ctime = rStatus.m_mtime;
    rStatus.m_size = static_cast<ULONGLONG>(st.st_size);
    if (S_ISDIR(st.st_mode))
        rStatus.m_attribute |= 0x10; // directory
    if ((st.st_mode & S_IWUSR) == 0)
        rStatus.m_attribute |= 0x01; // read-only
    const auto full = platform::FullWindowsPath(lpszFileName);
    const std::string name = full ? *full : std::string(lpszFileName);
    std::strncpy(rStatus.m_szFullName, name.c_str(), MAX_PATH - 1);
    return TRUE;
}
