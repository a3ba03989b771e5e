#include "platform/file/WinPath.h"

#include "tests/support/TempMachine.h"

#include <fstream>
#include <gtest/gtest.h>

namespace
{

TEST(WinPath, FullPathsResolveAgainstTheCurrentDirectory)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Program Files\\Tessaryn"));
    struct Case
    {
        const char* in;
        const char* out;
    } cases[] = {
        {".\\setting", "C:\\Program Files\\Tessaryn\\setting"},
        {"setting", "C:\\Program Files\\Tessaryn\\setting"},
        {"..\\x.txt", "C:\\Program Files\\x.txt"},
        {"c:/Windows//System32/", "C:\\Windows\\System32"},
        {"\\Users", "C:\\Users"},
        {"C:\\", "C:\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::FullWindowsPath(c.in).value_or("<none>"), c.out) << c.in;
    EXPECT_FALSE(platform::FullWindowsPath("C:\\..\\..").has_value());
    EXPECT_FALSE(platform::FullWindowsPath("\\\\.\\NBRG").has_value());
    EXPECT_TRUE(platform::IsDevicePath("\\\\.\\{0F1E}"));
}

TEST(WinPath, ExistingNamesMatchWithoutRegardToCase)
{
    testing_support::TempMachine m;
    std::ofstream(m.cDrive() / "Program Files" / "Tessaryn" / "VnSwap.exe") << "x";
    auto host = platform::HostPath("C:\\PROGRAM FILES\\tessaryn\\vnswap.EXE");
    ASSERT_TRUE(host);
    EXPECT_EQ(*host, m.cDrive() / "Program Files" / "Tessaryn" / "VnSwap.exe");
    // A missing name keeps its spelling.
    EXPECT_EQ(*platform::HostPath("C:\\New\\File"), m.cDrive() / "New" / "File");
}

TEST(WinPath, CurrentDirectoryCalls)
{
    testing_support::TempMachine m;
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\NoSuchFolder"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    ASSERT_TRUE(SetCurrentDirectoryA("c:\\windows"));
    char buffer[64];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 10u);
    EXPECT_STREQ(buffer, "C:\\windows");
    EXPECT_EQ(GetCurrentDirectoryA(5, buffer), 11u); // too small: the size needed
}

} // namespace
