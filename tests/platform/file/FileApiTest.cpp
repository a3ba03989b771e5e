#include "platform/file/FileApi.h"

#include "machine/FileStore.h"
#include "platform/file/WinPath.h"
#include "tests/support/TempMachine.h"

#include <sys/stat.h>

#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace
{

constexpr DWORD kErrorNegativeSeek = 131;

std::filesystem::path programDir(const testing_support::TempMachine& m)
{
    return m.cDrive() / "Program Files" / "Tessaryn";
}

void put(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string contents(const std::filesystem::path& file)
{
    return machine::ReadWholeFile(file).value_or("<missing>");
}

HANDLE openFile(LPCSTR name, DWORD access, DWORD share, DWORD disposition)
{
    return CreateFileA(name, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, 0);
}

std::string readAll(HANDLE h)
{
    std::string out;
    char buffer[7]; // small on purpose: several reads per file
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
        out.append(buffer, got);
    return out;
}

TEST(CreateFile, DispositionsOnMissingAndExistingFiles)
{
    testing_support::TempMachine m;
    struct Case
    {
        DWORD disposition;
        bool exists;
        bool opens;
        DWORD error;
        const char* after; // file contents afterwards
    } cases[] = {
        {CREATE_NEW, false, true, ERROR_SUCCESS, ""},
        {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
        {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
        {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
        {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, "<missing>"},
        {OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
        {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
        {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
        {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, "<missing>"},
        {TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
    };
    auto host = programDir(m) / "data.bin";
    for (const auto& c : cases)
    {
        std::filesystem::remove(host);
        if (c.exists)
            put(host, "old");
        SetLastError(12345);
        HANDLE h = openFile(".\\data.bin", GENERIC_READ | GENERIC_WRITE, 0, c.disposition);
        DWORD error = GetLastError();
        SCOPED_TRACE(testing::Message()
                     << "disposition " << c.disposition << " exists " << c.exists);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens);
        EXPECT_EQ(error, c.error);
        if (h != INVALID_HANDLE_VALUE)
        {
            EXPECT_TRUE(CloseHandle(h));
        }
        EXPECT_EQ(contents(host), c.after);
    }
}

TEST(CreateFile, RefusesWithThePlatformsErrors)
{
    testing_support::TempMachine m;
    put(programDir(m) / "locked.txt", "x");
    ASSERT_TRUE(SetFileAttributesA("locked.txt", FILE_ATTRIBUTE_READONLY));
    struct Case
    {
        const char* name;
        DWORD access;
        DWORD disposition;
        DWORD error;
    } cases[] = {
        {"C:\\NoSuchFolder\\x.txt", GENERIC_READ, OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
        {"C:\\NoSuchFolder\\x.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
        {"missing.txt", GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
        {"C:\\Windows", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
        {"locked.txt", GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED},
        {"locked.txt", GENERIC_READ, CREATE_ALWAYS, ERROR_ACCESS_DENIED},
        {"locked.txt", GENERIC_READ, TRUNCATE_EXISTING, ERROR_INVALID_PARAMETER},
        {"C:\\bad?name.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_INVALID_NAME},
        {"C:\\a\\b:c", GENERIC_WRITE, CREATE_ALWAYS, ERROR_INVALID_NAME},
        {"", GENERIC_READ, OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
        {"x.txt", GENERIC_READ, 0, ERROR_INVALID_PARAMETER},
        {"x.txt", GENERIC_READ, 6, ERROR_INVALID_PARAMETER},
    };
    for (const auto& c : cases)
    {
        SetLastError(0);
        EXPECT_EQ(openFile(c.name, c.access, 0, c.disposition), INVALID_HANDLE_VALUE) << c.name;
        EXPECT_EQ(GetLastError(), c.error) << c.name << " disposition " << c.disposition;
    }
    EXPECT_EQ(contents(programDir(m) / "locked.txt"), "x");
    EXPECT_FALSE(std::filesystem::exists(m.cDrive() / "bad?name.txt"));
    EXPECT_EQ(platform::OpenHandleCount(), 0u);
}

TEST(CreateFile, SharingBetweenHandles)
{
    testing_support::TempMachine m;
    put(programDir(m) / "shared.txt", "data");
    struct Case
    {
        DWORD firstAccess, firstShare, secondAccess, secondShare;
        bool secondOpens;
    } cases[] = {
        {GENERIC_READ, 0, GENERIC_READ, FILE_SHARE_READ, false},
        {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, true},
        {GENERIC_READ, FILE_SHARE_READ, GENERIC_WRITE, FILE_SHARE_READ, false},
        {GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, false},
        {GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
        {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_WRITE,
         FILE_SHARE_READ | FILE_SHARE_WRITE, true},
        {0, 0, GENERIC_READ | GENERIC_WRITE, 0, true}, // no data access: nothing to share
    };
    for (const auto& c : cases)
    {
        HANDLE first = openFile("shared.txt", c.firstAccess, c.firstShare, OPEN_EXISTING);
        ASSERT_NE(first, INVALID_HANDLE_VALUE);
        HANDLE second = openFile("SHARED.TXT", c.secondAccess, c.secondShare, OPEN_EXISTING);
        EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.secondOpens)
            << std::hex << c.firstAccess << "/" << c.firstShare << " then " << c.secondAccess << "/"
            << c.secondShare;
        if (second == INVALID_HANDLE_VALUE)
            EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        else
            CloseHandle(second);
        CloseHandle(first);
    }
    // Closing the handle ends its claim.
    HANDLE h = openFile("shared.txt", GENERIC_READ, 0, OPEN_EXISTING);
    CloseHandle(h);
    h = openFile("shared.txt", GENERIC_READ, 0, OPEN_EXISTING);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    // A refused CREATE_ALWAYS must not have truncated the file first.
    h = openFile("shared.txt", GENERIC_READ, 0, OPEN_EXISTING);
    EXPECT_EQ(openFile("shared.txt", GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS),
              INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_EQ(contents(programDir(m) / "shared.txt"), "data");
}

TEST(CreateFile, NewFilesAndFoldersAreOwnerOnly)
{
    testing_support::TempMachine m;
    mode_t old = ::umask(0);
    HANDLE h = openFile("C:\\secret.txt", GENERIC_WRITE, 0, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    ASSERT_TRUE(CreateDirectoryA("C:\\Keys", nullptr));
    ::umask(old);
    EXPECT_EQ(std::filesystem::status(m.cDrive() / "secret.txt").permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::filesystem::status(m.cDrive() / "Keys").permissions(),
              std::filesystem::perms::owner_all);
}

TEST(FileHandle, ReadWriteAndSeek)
{
    testing_support::TempMachine m;
    HANDLE h = openFile("C:\\rw.bin", GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n = 99;
    ASSERT_TRUE(WriteFile(h, "hello world", 11, &n, nullptr));
    EXPECT_EQ(n, 11u);
    EXPECT_EQ(GetFileSize(h, nullptr), 11u);

    struct Seek
    {
        LONG distance;
        DWORD method;
        DWORD position;
        const char* next3; // the three bytes read from there
    } seeks[] = {
        {6, FILE_BEGIN, 6, "wor"},  {-5, FILE_CURRENT, 4, "o w"}, {-5, FILE_END, 6, "wor"},
        {0, FILE_CURRENT, 9, "ld"}, {20, FILE_BEGIN, 20, ""},
    };
    for (const auto& s : seeks)
    {
        EXPECT_EQ(SetFilePointer(h, s.distance, nullptr, s.method), s.position);
        EXPECT_EQ(GetLastError(), NO_ERROR);
        char buffer[4] = {};
        ASSERT_TRUE(ReadFile(h, buffer, 3, &n, nullptr)); // at the end: success, 0 bytes
        EXPECT_STREQ(buffer, s.next3) << s.distance << "/" << s.method;
    }

    // A seek before the start fails and leaves the pointer where it was.
    SetFilePointer(h, 2, nullptr, FILE_BEGIN);
    EXPECT_EQ(SetFilePointer(h, -3, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), kErrorNegativeSeek);
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), 2u);
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, 7), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    // Writing past the end leaves zeros in the gap; SetEndOfFile cuts at the pointer.
    SetFilePointer(h, 13, nullptr, FILE_BEGIN);
    ASSERT_TRUE(WriteFile(h, "!", 1, &n, nullptr));
    EXPECT_EQ(contents(m.cDrive() / "rw.bin"), std::string("hello world\0\0!", 14));
    SetFilePointer(h, 5, nullptr, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(h));
    EXPECT_TRUE(FlushFileBuffers(h));
    EXPECT_EQ(GetFileSize(h, nullptr), 5u);
    EXPECT_EQ(contents(m.cDrive() / "rw.bin"), "hello");

    // A 64-bit position through the high part.
    LONG high = 1;
    EXPECT_EQ(SetFilePointer(h, 16, &high, FILE_BEGIN), 16u);
    EXPECT_EQ(high, 1);
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER); // does not fit in 32 bits
    high = -2;
    EXPECT_EQ(SetFilePointer(h, -16, &high, FILE_CURRENT), 0u); // back by 2^32 + 16
    EXPECT_EQ(high, 0);
    CloseHandle(h);
}

TEST(FileHandle, EachHandleHasItsOwnPointer)
{
    testing_support::TempMachine m;
    put(m.cDrive() / "two.txt", "abcdef");
    HANDLE a = openFile("C:\\two.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    HANDLE b = openFile("C:\\two.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    char buffer[4] = {};
    DWORD n = 0;
    ASSERT_TRUE(ReadFile(a, buffer, 3, &n, nullptr));
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(readAll(b), "abcdef");
    EXPECT_EQ(readAll(a), "def");
    CloseHandle(a);
    CloseHandle(b);
}

TEST(FileHandle, RefusedCalls)
{
    testing_support::TempMachine m;
    put(m.cDrive() / "f.txt", "abc");
    HANDLE reader =
        openFile("C:\\f.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    HANDLE writer =
        openFile("C:\\f.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    char buffer[4];
    DWORD n = 77;
    EXPECT_FALSE(WriteFile(reader, "x", 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(n, 0u);
    EXPECT_FALSE(SetEndOfFile(reader));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(ReadFile(writer, buffer, 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    alignas(8) unsigned char overlapped[32] = {};
    EXPECT_FALSE(ReadFile(reader, buffer, 1, &n, reinterpret_cast<LPOVERLAPPED>(overlapped)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    const HANDLE bogus = 0x7777770u;
    EXPECT_FALSE(ReadFile(bogus, buffer, 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GetFileSize(bogus, nullptr), INVALID_FILE_SIZE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    CloseHandle(reader);
    CloseHandle(writer);
    EXPECT_EQ(contents(m.cDrive() / "f.txt"), "abc");
}

TEST(FileNames, DeleteFile)
{
    testing_support::TempMachine m;
    put(m.cDrive() / "gone.pac", "x");
    EXPECT_TRUE(DeleteFileA("c:\\GONE.PAC"));
    EXPECT_FALSE(std::filesystem::exists(m.cDrive() / "gone.pac"));

    struct Case
    {
        const char* name;
        DWORD error;
    } cases[] = {
        {"C:\\gone.pac", ERROR_FILE_NOT_FOUND},
        {"C:\\NoFolder\\gone.pac", ERROR_PATH_NOT_FOUND},
        {"C:\\Windows", ERROR_ACCESS_DENIED},
    };
    for (const auto& c : cases)
    {
        EXPECT_FALSE(DeleteFileA(c.name));
        EXPECT_EQ(GetLastError(), c.error) << c.name;
    }

    put(m.cDrive() / "open.txt", "x");
    HANDLE h = openFile("C:\\open.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_FALSE(DeleteFileA("C:\\open.txt"));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    CloseHandle(h);
    h = openFile("C:\\open.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING);
    EXPECT_TRUE(DeleteFileA("C:\\open.txt"));
    CloseHandle(h);

    put(m.cDrive() / "ro.txt", "x");
    SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(DeleteFileA("C:\\ro.txt"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST(FileNames, CopyAndMove)
{
    testing_support::TempMachine m;
    auto c = m.cDrive();
    put(c / "a.txt", "AAA");
    put(c / "b.txt", "BBB");

    EXPECT_FALSE(CopyFileA("C:\\a.txt", "C:\\b.txt", TRUE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(contents(c / "b.txt"), "BBB");
    EXPECT_TRUE(CopyFileA("C:\\a.txt", "C:\\b.txt", FALSE));
    EXPECT_EQ(contents(c / "b.txt"), "AAA");
    EXPECT_TRUE(CopyFileA("C:\\a.txt", "C:\\Windows\\c.txt", TRUE));
    EXPECT_EQ(contents(c / "Windows" / "c.txt"), "AAA");
    EXPECT_FALSE(CopyFileA("C:\\none.txt", "C:\\d.txt", FALSE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(CopyFileA("C:\\a.txt", "C:\\NoFolder\\d.txt", FALSE));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    // MoveFile never replaces; MoveFileEx does when asked (write aside, then put in place).
    EXPECT_FALSE(MoveFileA("C:\\a.txt", "C:\\b.txt"));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    put(c / "b.txt", "new");
    EXPECT_TRUE(MoveFileExA("C:\\b.txt", "C:\\a.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(contents(c / "a.txt"), "new");
    EXPECT_FALSE(std::filesystem::exists(c / "b.txt"));
    EXPECT_TRUE(MoveFileA("C:\\a.txt", "C:\\Windows\\moved.txt"));
    EXPECT_EQ(contents(c / "Windows" / "moved.txt"), "new");
    EXPECT_FALSE(MoveFileA("C:\\a.txt", "C:\\x.txt"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    // A rename that changes only the case of the name.
    EXPECT_TRUE(MoveFileA("C:\\Windows\\moved.txt", "C:\\Windows\\Moved.TXT"));
    EXPECT_TRUE(std::filesystem::exists(c / "Windows" / "Moved.TXT"));
    EXPECT_FALSE(std::filesystem::exists(c / "Windows" / "moved.txt"));
}

TEST(FileNames, AttributesAndFolders)
{
    testing_support::TempMachine m;
    put(m.cDrive() / "f.txt", "x");
    EXPECT_EQ(GetFileAttributesA("C:\\Windows"), FILE_ATTRIBUTE_DIRECTORY);
    DWORD file = GetFileAttributesA("c:\\F.TXT");
    ASSERT_NE(file, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(file & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY), 0u);
    ASSERT_TRUE(SetFileAttributesA("C:\\f.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_NE(GetFileAttributesA("C:\\f.txt") & FILE_ATTRIBUTE_READONLY, 0u);
    ASSERT_TRUE(SetFileAttributesA("C:\\f.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("C:\\f.txt") & FILE_ATTRIBUTE_READONLY, 0u);

    EXPECT_EQ(GetFileAttributesA("C:\\none"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetFileAttributesA("C:\\none\\x"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    EXPECT_TRUE(CreateDirectoryA("C:\\Data", nullptr));
    EXPECT_EQ(GetFileAttributesA("C:\\data"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(CreateDirectoryA("C:\\DATA", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryA("C:\\f.txt", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryA("C:\\No\\Such", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

} // namespace
