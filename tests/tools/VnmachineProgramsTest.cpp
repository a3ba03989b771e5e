// Each switch of `vnmachine programs` does what it says to the next program starts, as a program
// of the machine makes them; a switch that cannot apply to its target is refused.

#include "machine/programs/ProgramLog.h"
#include "platform/Windows.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace
{

using testing_support::RunVnmachineApart;

struct Start
{
    const char* commandLine;
    UINT result;
};

struct Case
{
    const char* what;
    std::vector<std::vector<std::string>> switches; // `vnmachine programs ...`, in turn
    std::vector<Start> starts;                      // then these, in turn
    bool report;                                    // NicReport.txt is there after them
    const char* recorded = nullptr;                 // the record-only start was recorded
    const char* listed = nullptr;                   // a line `programs settings` then prints
};

std::filesystem::path reportOf(const testing_support::TempMachine& m)
{
    return m.cDrive() / "Program Files" / "Tessaryn" / "NicReport.txt";
}

bool logHolds(const testing_support::TempMachine& m, const std::string& line)
{
    const auto log = machine::programs::ReadProgramLog(m.machine());
    return std::find(log.begin(), log.end(), line) != log.end();
}

TEST(VnmachinePrograms, EverySwitchChangesTheNextStarts)
{
    const Case cases[] = {
        {"no switch", {}, {{"NicReport.bat", 33}}, true, nullptr, "report-fail off"},
        {"fail always",
         {{"fail", "NicReport.bat", "2"}},
         {{"NicReport.bat", 2}, {"NicReport.bat", 2}},
         false,
         nullptr,
         "fail 2 -1 NicReport.bat"},
        {"fail once",
         {{"fail", "NicReport.bat", "5", "once"}},
         {{"NicReport.bat", 5}, {"NicReport.bat", 33}},
         true},
        {"fail of every program",
         {{"fail", "*", "8"}},
         {{"NicReport.bat", 8}, {"UplinkPick.exe ICS_DOWN", 8}},
         false},
        {"fail clear",
         {{"fail", "NicReport.bat", "2"}, {"fail", "clear"}},
         {{"NicReport.bat", 33}},
         true},
        {"report-fail on",
         {{"report-fail", "on"}},
         {{"NicReport.bat", 33}},
         false,
         nullptr,
         "report-fail on"},
        {"report-fail off again",
         {{"report-fail", "on"}, {"report-fail", "off"}},
         {{"NicReport.bat", 33}},
         true},
        {"record-only on",
         {{"record-only", "UplinkPick", "on"}},
         {{"UplinkPick.exe ICS_DOWN", 33}},
         false,
         "UplinkPick ran [ICS_DOWN]",
         "record-only UplinkPick"},
        // Off again, the start is made for real: with no built programs where they are looked
        // for, it then fails with "file not found" rather than being recorded.
        {"record-only off again",
         {{"record-only", "UplinkPick", "on"}, {"record-only", "UplinkPick", "off"}},
         {{"UplinkPick.exe ICS_DOWN", 2}},
         false},
    };
    const auto noPrograms = std::filesystem::temp_directory_path() / "no-built-programs";
    std::filesystem::create_directories(noPrograms);
    const std::string bin =
        std::getenv("TESSARYN_BIN") != nullptr ? std::getenv("TESSARYN_BIN") : "";
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        testing_support::TempMachine m;
        for (auto words : c.switches)
        {
            words.insert(words.begin(), "programs");
            const auto r = RunVnmachineApart(m.root(), words);
            ASSERT_EQ(r.status, 0) << testing_support::Joined(words) << ": " << r.err;
        }
        // The starts of this process look for built programs in the empty folder: none runs.
        ::setenv("TESSARYN_BIN", noPrograms.c_str(), 1);
        for (const Start& s : c.starts)
            EXPECT_EQ(WinExec(s.commandLine, SW_HIDE), s.result) << s.commandLine;
        ::setenv("TESSARYN_BIN", bin.c_str(), 1);
        EXPECT_EQ(std::filesystem::exists(reportOf(m)), c.report);
        EXPECT_EQ(logHolds(m, "UplinkPick ran [ICS_DOWN]"), c.recorded != nullptr);
        const auto settings = RunVnmachineApart(m.root(), {"programs", "settings"}).out;
        if (c.listed != nullptr)
        {
            EXPECT_NE(settings.find(std::string(c.listed) + "\n"), std::string::npos) << settings;
        }
        EXPECT_EQ(settings.find("record-only") != std::string::npos,
                  c.what == std::string("record-only on"))
            << settings;
    }
    std::filesystem::remove_all(noPrograms);
}

TEST(VnmachinePrograms, TheReportComesAfterItsDelayAndTheLogIsCleared)
{
    testing_support::TempMachine m;
    ASSERT_EQ(RunVnmachineApart(m.root(), {"programs", "report-delay", "300"}).status, 0);
    EXPECT_EQ(WinExec("NicReport.bat", SW_HIDE), 33u);
    EXPECT_FALSE(std::filesystem::exists(reportOf(m)));
    EXPECT_TRUE(testing_support::WaitUntil([&] { return std::filesystem::exists(reportOf(m)); },
                                           std::chrono::seconds(10)));

    EXPECT_FALSE(RunVnmachineApart(m.root(), {"programs", "log"}).out.empty());
    ASSERT_EQ(RunVnmachineApart(m.root(), {"programs", "clear-log"}).status, 0);
    EXPECT_EQ(RunVnmachineApart(m.root(), {"programs", "log"}).out, "");
}

TEST(VnmachinePrograms, ASwitchThatCannotApplyIsRefused)
{
    testing_support::TempMachine m;
    const std::pair<std::vector<std::string>, int> refused[] = {
        {{"programs", "record-only", "NicReport.bat", "on"}, 1},
        {{"programs", "record-only", "VnSwap", "on"}, 1},
        {{"programs", "report-delay", "-5"}, 2},
        {{"programs", "fail", "NicReport.bat", "2", "twice"}, 2},
    };
    for (const auto& [words, status] : refused)
        EXPECT_EQ(RunVnmachineApart(m.root(), words).status, status)
            << testing_support::Joined(words);
    EXPECT_EQ(RunVnmachineApart(m.root(), {"programs", "settings"}).out,
              "report-delay 0\nreport-fail off\n");
}

} // namespace
