#include "platform/file/StdioFile.h"

#include "machine/FileStore.h"
#include "tests/support/TempMachine.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> readLines(const std::string& bytes)
{
    testing_support::TempMachine m;
    std::ofstream(m.cDrive() / "Program Files" / "Tessaryn" / "report.txt", std::ios::binary)
        << bytes;
    CStdioFile file;
    EXPECT_TRUE(file.Open("report.txt", CFile::modeRead | CFile::typeText));
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line))
        lines.emplace_back(static_cast<LPCSTR>(line));
    return lines;
}

TEST(StdioFileTest, ReadsLinesWhateverTheirEnds)
{
    struct Case
    {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"one\r\ntwo\r\n", {"one", "two"}},
        {"one\ntwo", {"one", "two"}},
        {"\r\n\r\nx", {"", "", "x"}},
        {"a\rb\r\n", {"a\rb"}},
        {std::string(5000, 'y') + "\r\nz", {std::string(5000, 'y'), "z"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readLines(c.bytes), c.lines) << c.bytes.substr(0, 20);
}

TEST(StdioFileTest, MissingFileDoesNotOpen)
{
    testing_support::TempMachine m;
    CStdioFile file;
    EXPECT_FALSE(file.Open("absent.txt", CFile::modeRead | CFile::typeText));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    CString line;
    EXPECT_FALSE(file.ReadString(line));
}

TEST(StdioFileTest, WritesTextWithPlatformLineEnds)
{
    testing_support::TempMachine m;
    {
        CStdioFile file;
        ASSERT_TRUE(file.Open("out.txt", CFile::modeCreate | CFile::modeWrite | CFile::typeText));
        file.WriteString("a\nb\n");
    }
    EXPECT_EQ(machine::ReadWholeFile(m.cDrive() / "Program Files" / "Tessaryn" / "out.txt"),
              std::string("a\r\nb\r\n"));
}

} // namespace
