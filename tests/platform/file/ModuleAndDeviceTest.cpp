#include "machine/bridge/BridgeState.h"
#include "platform/file/DeviceOpen.h"
#include "platform/file/FileApi.h"
#include "platform/file/ModuleFile.h"

#include "tests/support/TempMachine.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace
{

class KnownDevice : public platform::KernelObject
{
};

TEST(ModuleFile, NamesTheProgramInItsFolder)
{
    testing_support::TempMachine m;
    char buffer[260];
    // Until a program names itself, the host executable's name stands.
    DWORD n = GetModuleFileNameA(0, buffer, sizeof buffer);
    EXPECT_EQ(n, std::strlen(buffer));
    std::string self = std::filesystem::read_symlink("/proc/self/exe").filename().string();
    EXPECT_EQ(std::string(buffer), "C:\\Program Files\\Tessaryn\\" + self + ".exe");

    platform::SetModuleName("TessarynUI");
    n = GetModuleFileNameA(0, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "C:\\Program Files\\Tessaryn\\TessarynUI.exe");
    EXPECT_EQ(n, 40u);
    platform::SetModuleName("HubDesk.exe");
    GetModuleFileNameA(0, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "C:\\Program Files\\Tessaryn\\HubDesk.exe");
}

TEST(ModuleFile, TruncatesLikeThePlatform)
{
    testing_support::TempMachine m;
    platform::SetModuleName("TessarynUI");
    const std::string full = "C:\\Program Files\\Tessaryn\\TessarynUI.exe"; // 40 characters
    struct Case
    {
        DWORD size;
        DWORD returned;
        DWORD error; // last error after the call (set to 999 before)
        std::string text;
    } cases[] = {
        {41, 40, 999, full},
        {40, 40, ERROR_INSUFFICIENT_BUFFER, full.substr(0, 39)},
        {10, 10, ERROR_INSUFFICIENT_BUFFER, full.substr(0, 9)},
        {1, 1, ERROR_INSUFFICIENT_BUFFER, ""},
        {0, 0, ERROR_INSUFFICIENT_BUFFER, "untouched"},
    };
    for (const auto& c : cases)
    {
        char buffer[64];
        std::strcpy(buffer, "untouched");
        SetLastError(999);
        EXPECT_EQ(GetModuleFileNameA(0, buffer, c.size), c.returned) << c.size;
        EXPECT_EQ(GetLastError(), c.error) << c.size;
        EXPECT_EQ(std::string(buffer), c.text) << c.size;
    }
}

TEST(DeviceOpen, WithoutAnOpenerADeviceIsNotFound)
{
    testing_support::TempMachine m;
    // The machine's bridge is taken away, so no opener takes its name.
    machine::bridge::ChangeBridge(m.machine(),
                                  [](machine::bridge::BridgeState& b) { b.present = false; });
    HANDLE h = CreateFileA("\\\\.\\NBRG", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, 0);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    // Not even CREATE_ALWAYS makes a file of it.
    EXPECT_EQ(CreateFileA("\\\\.\\KQ21", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m.root() / "drive"))
    {
        std::string name = entry.path().filename().string();
        EXPECT_TRUE(name != "KQ21" && name != "NBRG" && name != "." && name != "\\")
            << entry.path();
    }
}

TEST(DeviceOpen, OpenersAreAskedInTurn)
{
    testing_support::TempMachine m;
    machine::bridge::ChangeBridge(m.machine(),
                                  [](machine::bridge::BridgeState& b) { b.present = false; });
    platform::DeviceOpenRequest seen;
    int declines = platform::RegisterDeviceOpener(
        [](const platform::DeviceOpenRequest&) -> std::optional<HANDLE> { return std::nullopt; });
    int bridge = platform::RegisterDeviceOpener(
        [&](const platform::DeviceOpenRequest& r) -> std::optional<HANDLE>
        {
            if (r.name != "NBRG")
                return std::nullopt;
            seen = r;
            return platform::RegisterHandle(std::make_shared<KnownDevice>());
        });
    int refuses = platform::RegisterDeviceOpener(
        [](const platform::DeviceOpenRequest& r) -> std::optional<HANDLE>
        {
            if (r.name != "KQ21")
                return std::nullopt;
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        });

    HANDLE h = CreateFileA("\\\\.\\NBRG", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OVERLAPPED, 0);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(platform::LookupHandle<KnownDevice>(h));
    EXPECT_EQ(seen.desiredAccess, GENERIC_READ | GENERIC_WRITE);
    EXPECT_EQ(seen.shareMode, FILE_SHARE_READ);
    EXPECT_EQ(seen.creationDisposition, OPEN_EXISTING);
    EXPECT_EQ(seen.flagsAndAttributes, FILE_FLAG_OVERLAPPED);
    // A device handle is no file.
    char buffer[4];
    DWORD n = 0;
    EXPECT_FALSE(ReadFile(h, buffer, 4, &n, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(CloseHandle(h));

    EXPECT_EQ(CreateFileA("\\\\.\\KQ21", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(CreateFileA("\\\\.\\{0F1E2D3C}", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    platform::UnregisterDeviceOpener(bridge);
    EXPECT_EQ(CreateFileA("\\\\.\\NBRG", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0),
              INVALID_HANDLE_VALUE);
    platform::UnregisterDeviceOpener(declines);
    platform::UnregisterDeviceOpener(refuses);
}

} // namespace
