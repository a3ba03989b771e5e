#include "platform/version/WinVer.h"

#include "machine/FileStore.h"
#include "machine/SystemInfo.h"
#include "machine/devices/DriverFiles.h"
#include "machine/programs/VersionResource.h"
#include "platform/file/FileTime.h"
#include "platform/file/ModuleFile.h"
#include "platform/file/StdioFile.h"
#include "platform/system/Kernel32.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace
{

constexpr const char* kDriver = "C:\\Windows\\system32\\drivers\\kq3400v.sys";

std::vector<BYTE> readBlock(LPCSTR file)
{
    DWORD handle = 7;
    DWORD size = GetFileVersionInfoSizeA(file, &handle);
    EXPECT_EQ(handle, 0u);
    std::vector<BYTE> block(size);
    if (size != 0)
    {
        EXPECT_TRUE(GetFileVersionInfoA(file, 0, size, block.data()));
    }
    return block;
}

std::string queryString(const std::vector<BYTE>& block, LPCSTR path)
{
    LPVOID value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path, &value, &length))
        return "<none>";
    EXPECT_EQ(length, std::strlen(static_cast<char*>(value)) + 1);
    return static_cast<char*>(value);
}

void setSystem(bool wow64, int biasMinutes = 0)
{
    machine::SystemInfo info;
    info.wow64 = wow64;
    info.timeZoneBiasMinutes = biasMinutes;
    ASSERT_TRUE(machine::SaveSystemInfo(machine::CurrentMachine(), info));
}

TEST(VersionInfo, ProgramBlockReadsBack)
{
    testing_support::TempMachine m;
    platform::SetModuleName("TessarynUI");
    char module[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(0, module, MAX_PATH), 0u);
    auto block = readBlock(module);
    ASSERT_FALSE(block.empty());

    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed->dwFileVersionMS, (2u << 16) | 6u); // 2.6.0.118
    EXPECT_EQ(fixed->dwFileVersionLS, 118u);
    EXPECT_EQ(fixed->dwFileType, VFT_APP);

    EXPECT_EQ(queryString(block, "\\StringFileInfo\\040904B0\\LegalCopyright"),
              "Copyright (C) 2009 Tessaryn Networks. All rights reserved.");
    EXPECT_EQ(queryString(block, "\\stringfileinfo\\040904b0\\FileVersion"), "2.6.0.118");
    EXPECT_EQ(queryString(block, "\\StringFileInfo\\040904B0\\NoSuchValue"), "<none>");
    EXPECT_EQ(queryString(block, "\\StringFileInfo\\041104B0\\FileVersion"), "<none>");

    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    WORD translation[2];
    std::memcpy(translation, value, 4);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);

    // A short buffer is refused rather than filled in part.
    std::vector<BYTE> shortBuffer(block.size() - 1);
    EXPECT_FALSE(GetFileVersionInfoA(module, 0, DWORD(shortBuffer.size()), shortBuffer.data()));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(VersionInfo, FilesWithoutVersionAndEditedSections)
{
    testing_support::TempMachine m;
    const auto folder = m.cDrive() / "Program Files" / "Tessaryn";
    struct Case
    {
        const char* name;
        const char* text; // null: no file
        DWORD error;      // when no block
        const char* fileVersion;
    } cases[] = {
        {"plain.exe", "#!tessaryn TessarynUI\r\nno version here\r\n", ERROR_RESOURCE_TYPE_NOT_FOUND,
         nullptr},
        {"missing.exe", nullptr, ERROR_FILE_NOT_FOUND, nullptr},
        {"commas.dll", "x\r\n[version]\r\nFileVersion=1, 2, 3, 4\r\nNote=\xC2\xA9 caf\xC3\xA9\r\n",
         0, "1.2.3.4"},
        {"bad.exe", "[Version]\nFileVersion=70000.1\n[other]\nFileVersion=9.9.9.9\n", 0, "0.0.0.0"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        if (c.text != nullptr)
        {
            ASSERT_TRUE(machine::WriteFileAtomically(folder / c.name, c.text));
        }
        const std::string name = std::string("C:\\Program Files\\Tessaryn\\") + c.name;
        SetLastError(0);
        DWORD size = GetFileVersionInfoSizeA(name.c_str(), nullptr);
        if (c.fileVersion == nullptr)
        {
            EXPECT_EQ(size, 0u);
            EXPECT_EQ(GetLastError(), c.error);
            continue;
        }
        auto block = readBlock(name.c_str());
        LPVOID value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
        const auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
        char text[32];
        std::snprintf(text, sizeof(text), "%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS),
                      LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                      LOWORD(fixed->dwFileVersionLS));
        EXPECT_STREQ(text, c.fileVersion);
    }
    auto block = readBlock("C:\\Program Files\\Tessaryn\\commas.dll");
    EXPECT_EQ(queryString(block, "\\StringFileInfo\\040904B0\\Note"), "\xC2\xA9 caf\xC3\xA9");
    // Only the version section counts: the later section's value is not read.
    block = readBlock("C:\\Program Files\\Tessaryn\\bad.exe");
    EXPECT_EQ(queryString(block, "\\StringFileInfo\\040904B0\\FileVersion"), "70000.1");
}

TEST(VersionInfo, MalformedBlockIsRefused)
{
    testing_support::TempMachine m;
    auto block = readBlock(kDriver);
    ASSERT_FALSE(block.empty());
    // The StringFileInfo node, first child of the root, claims more than its parent holds.
    const std::size_t child = 6 + 2 * sizeof("VS_VERSION_INFO") + 2 + sizeof(VS_FIXEDFILEINFO);
    ASSERT_EQ(block[child + 6], 'S');
    block[child] = 0xFF;
    block[child + 1] = 0xFF;
    LPVOID value = reinterpret_cast<LPVOID>(1);
    UINT length = 9;
    EXPECT_FALSE(
        VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\FileVersion", &value, &length));
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(length, 0u);
    EXPECT_FALSE(VerQueryValueA(nullptr, "\\", &value, &length));
}

TEST(FileTimes, DriverDateInLocalTime)
{
    testing_support::TempMachine m;
    struct Case
    {
        int biasMinutes;
        const char* date;
    } cases[] = {{0, "03-12-2009"}, {-600, "03-12-2009"}, {660, "03-11-2009"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.biasMinutes);
        setSystem(false, c.biasMinutes);
        CFileStatus status;
        ASSERT_TRUE(CFile::GetStatus(kDriver, status));
        EXPECT_EQ(status.m_mtime.GetTime(), machine::devices::kDriverFileTime);
        EXPECT_EQ(std::string(status.m_mtime.Format("%m-%d-%Y")), c.date);

        // The same through the file handle and the conversion functions.
        HANDLE h =
            CreateFileA(kDriver, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        FILETIME written{}, local{};
        SYSTEMTIME st{};
        ASSERT_TRUE(GetFileTime(h, nullptr, nullptr, &written));
        CloseHandle(h);
        ASSERT_TRUE(FileTimeToLocalFileTime(&written, &local));
        ASSERT_TRUE(FileTimeToSystemTime(&local, &st));
        char text[32];
        std::snprintf(text, sizeof(text), "%02d-%02d-%04d", st.wMonth, st.wDay, st.wYear);
        EXPECT_STREQ(text, c.date);
        FILETIME back{};
        ASSERT_TRUE(SystemTimeToFileTime(&st, &back));
        EXPECT_EQ(back.dwLowDateTime, local.dwLowDateTime);
        EXPECT_EQ(back.dwHighDateTime, local.dwHighDateTime);
    }
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus("C:\\Windows\\system32\\drivers\\none.sys", status));
    // Times the framework cannot show give an empty text; impossible dates are refused.
    EXPECT_EQ(std::string(CTime(-1).Format("%m-%d-%Y")), "");
    EXPECT_EQ(std::string(CTime(FILETIME{0, 0}).Format("%m-%d-%Y")), "");
    SYSTEMTIME feb30{2009, 2, 0, 30, 0, 0, 0, 0};
    FILETIME out{};
    EXPECT_FALSE(SystemTimeToFileTime(&feb30, &out));
    FILETIME huge{0, 0x80000000u};
    SYSTEMTIME st{};
    EXPECT_FALSE(FileTimeToSystemTime(&huge, &st));
}

TEST(Wow64Redirection, IsPerThreadAndReachesTheNativeFolder)
{
    testing_support::TempMachine m;
    setSystem(true);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto disable = reinterpret_cast<PFN_Wow64DisableWow64FsRedirection>(
        GetProcAddress(kernel, "Wow64DisableWow64FsRedirection"));
    auto revert = reinterpret_cast<PFN_Wow64RevertWow64FsRedirection>(
        GetProcAddress(kernel, "Wow64RevertWow64FsRedirection"));
    auto enable = reinterpret_cast<PFN_Wow64EnableWow64FsRedirection>(
        GetProcAddress(kernel, "Wow64EnableWow64FsRedirection"));
    ASSERT_TRUE(disable && revert && enable);

    char system[MAX_PATH];
    ASSERT_EQ(GetSystemDirectoryA(system, MAX_PATH), std::strlen("C:\\Windows\\system32"));
    EXPECT_STREQ(system, "C:\\Windows\\system32");

    // Redirected: the 32-bit folder has no driver.
    EXPECT_EQ(GetFileVersionInfoSizeA(kDriver, nullptr), 0u);
    void* old = nullptr;
    ASSERT_TRUE(disable(&old));
    EXPECT_GT(GetFileVersionInfoSizeA(kDriver, nullptr), 0u);
    CFileStatus status;
    EXPECT_TRUE(CFile::GetStatus(kDriver, status));

    // Another thread keeps its own state, and its switch does not reach this one.
    bool otherSeesDriver = true;
    bool otherAfterSwitch = false;
    std::thread other(
        [&]
        {
            otherSeesDriver = GetFileVersionInfoSizeA(kDriver, nullptr) != 0;
            enable(FALSE);
            otherAfterSwitch = GetFileVersionInfoSizeA(kDriver, nullptr) != 0;
            enable(TRUE);
        });
    other.join();
    EXPECT_FALSE(otherSeesDriver);
    EXPECT_TRUE(otherAfterSwitch);
    EXPECT_FALSE(platform::Wow64RedirectionEnabled());

    // Nested save and restore returns to the state before each.
    void* inner = nullptr;
    ASSERT_TRUE(disable(&inner));
    ASSERT_TRUE(revert(inner));
    EXPECT_FALSE(platform::Wow64RedirectionEnabled());
    ASSERT_TRUE(revert(old));
    EXPECT_TRUE(platform::Wow64RedirectionEnabled());
    EXPECT_EQ(GetFileVersionInfoSizeA(kDriver, nullptr), 0u);
    EXPECT_FALSE(disable(nullptr));

    // Without WOW64 the switch changes nothing.
    setSystem(false);
    EXPECT_GT(GetFileVersionInfoSizeA(kDriver, nullptr), 0u);
}

TEST(DriverFiles, EachChipFamilyHasItsFiles)
{
    testing_support::TempMachine m;
    EXPECT_EQ(machine::devices::DriverFileNames(1), std::vector<std::string>{"kq14u98.sys"});
    EXPECT_EQ(machine::devices::DriverFileNames(0),
              (std::vector<std::string>{"kq1400.sys", "kq1400xp.sys"}));
    EXPECT_TRUE(machine::devices::DriverFileNames(9).empty());
    for (const auto& name : machine::devices::DriverFileNames(8))
    {
        SCOPED_TRACE(name);
        auto block = readBlock(("C:\\Windows\\system32\\drivers\\" + name).c_str());
        ASSERT_FALSE(block.empty());
        LPVOID value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
        EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileType, VFT_DRV);
        EXPECT_EQ(queryString(block, "\\StringFileInfo\\040904B0\\FileVersion"),
                  machine::devices::kDriverFileVersion);
    }
}

} // namespace
