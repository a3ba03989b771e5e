// The machine's logs: whole lines appended, capped with one older generation, and
// every line numbered in one sequence so that all logs read back as one journal.

#include "machine/LineLog.h"
#include "machine/LogJournal.h"
#include "machine/ParsedFile.h"
#include "machine/miniport/RequestLog.h"
#include "machine/services/ServiceTable.h"
#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "tests/support/InOtherProcess.h"
#include "tests/support/MachineTestClock.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

std::string fileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(LineLog, KeepsWholeLinesWithTheirTimeAndNumber)
{
    testing_support::TempMachine m;
    testing_support::MachineTestClock clock(5000);
    const fs::path log = m.root() / "deep" / "folder" / "x.log";
    machine::AppendLogLine(m.machine(), log, "first");
    clock.advance(250);
    machine::AppendLogLine(m.machine(), log, "two\nlines"); // an SSID may hold a line end
    EXPECT_EQ(machine::ReadLogLines(m.machine(), log),
              (std::vector<std::string>{"first", "two\\nlines"}));

    const std::string text = fileText(log);
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    const std::string firstLine = text.substr(0, text.find('\n')); // the split views into it
    auto first = machine::SplitStoredLine(firstLine);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->time_ms, 5000u);
    EXPECT_EQ(first->text, "first");
    // A line written before logs carried the fields is its own text.
    EXPECT_FALSE(machine::SplitStoredLine("1234 WlanScan").has_value());
    EXPECT_FALSE(machine::SplitStoredLine("#12 WlanScan").has_value());

    machine::ClearLog(m.machine(), log);
    EXPECT_TRUE(machine::ReadLogLines(m.machine(), log).empty());
}

TEST(LineLog, PastItsCapMovesToTheOlderGenerationAndKeepsTheNewestLines)
{
    testing_support::TempMachine m;
    const fs::path log = m.root() / "x.log";
    const std::string filler(1000, 'x');
    const int lines = 2 * static_cast<int>(machine::kLogCapBytes / 1000) + 100;
    for (int i = 0; i < lines; ++i)
        machine::AppendLogLine(m.machine(), log, std::to_string(i) + " " + filler);

    EXPECT_LE(fs::file_size(log), machine::kLogCapBytes);
    EXPECT_LE(fs::file_size(machine::OlderLogGeneration(log)), machine::kLogCapBytes);
    auto read = machine::ReadLogLines(m.machine(), log);
    ASSERT_GT(read.size(), machine::kLogCapBytes / 1000);
    // Consecutive whole lines, the newest last.
    const int first = std::stoi(read.front());
    for (std::size_t i = 0; i < read.size(); ++i)
        ASSERT_EQ(read[i], std::to_string(first + static_cast<int>(i)) + " " + filler) << i;
    EXPECT_EQ(read.back(), std::to_string(lines - 1) + " " + filler);

    machine::ClearLog(m.machine(), log);
    EXPECT_FALSE(fs::exists(log));
    EXPECT_FALSE(fs::exists(machine::OlderLogGeneration(log)));
}

// Each process keeps its logs open: whoever else appends, clears or moves the log meanwhile, every
// line lands whole in the log at its path, and the cap holds.
TEST(LineLog, ProcessesKeepingALogOpenLoseNoLine)
{
    testing_support::TempMachine m;
    const fs::path log = m.root() / "x.log";
    machine::AppendLogLine(m.machine(), log, "parent 0");
    ASSERT_EQ(testing_support::InOtherProcess(
                  [&]
                  {
                      machine::AppendLogLine(m.machine(), log, "child 0");
                      return true;
                  }),
              0);
    machine::AppendLogLine(m.machine(), log, "parent 1");
    EXPECT_EQ(machine::ReadLogLines(m.machine(), log),
              (std::vector<std::string>{"parent 0", "child 0", "parent 1"}));

    // Cleared by another process: the next line starts the log anew.
    testing_support::InOtherProcess(
        [&]
        {
            machine::ClearLog(m.machine(), log);
            return true;
        });
    machine::AppendLogLine(m.machine(), log, "parent 2");
    EXPECT_EQ(machine::ReadLogLines(m.machine(), log), (std::vector<std::string>{"parent 2"}));

    // Removed by hand, as a person might: seen once anything in the process looks at the folder.
    fs::remove(log);
    machine::VersionOf(log);
    machine::AppendLogLine(m.machine(), log, "parent 3");
    EXPECT_EQ(machine::ReadLogLines(m.machine(), log), (std::vector<std::string>{"parent 3"}));

    // Two processes past the cap together: each one's size of the file stays right.
    const std::string filler(1000, 'x');
    const int lines = static_cast<int>(machine::kLogCapBytes / 1000) + 200;
    const pid_t child = ::fork();
    if (child == 0)
    {
        for (int i = 0; i < lines; ++i)
            machine::AppendLogLine(m.machine(), log, "c" + filler);
        ::_exit(0);
    }
    for (int i = 0; i < lines; ++i)
        machine::AppendLogLine(m.machine(), log, "p" + filler);
    int status = 0;
    ::waitpid(child, &status, 0);
    // A line the other writer had under way as the log moved lands in the older generation.
    const std::uintmax_t line = filler.size() + 40;
    EXPECT_LE(fs::file_size(log), machine::kLogCapBytes + line);
    EXPECT_LE(fs::file_size(machine::OlderLogGeneration(log)), machine::kLogCapBytes + line);
    for (const auto& text : machine::ReadLogLines(m.machine(), log))
        ASSERT_EQ(text.size(), filler.size() + 1);
}

TEST(LogJournal, MergesEveryLogInOrderAndFilters)
{
    testing_support::TempMachine m;
    testing_support::MachineTestClock clock(1000);
    const auto& mm = m.machine();
    // A log from before the journal: read by its own reader, left out of the journal.
    fs::create_directories(m.root() / "old");
    std::ofstream(m.root() / "old" / "log.txt") << "an old line\n";

    machine::wlan::Log(mm, "WlanScan");
    clock.advance(10);
    machine::services::AppendServiceLog(mm, "QueryServiceStatus");
    clock.advance(10);
    machine::wlan::Log(mm, "WlanConnect");
    // A line on the drive is a file of the machine's user, not a log.
    fs::create_directories(mm.driveDir('C'));
    std::ofstream(mm.driveDir('C') / "user.log") << "#999 0 not a log\n";

    auto all = machine::ReadJournal(mm);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].log, "wlan/log.txt");
    EXPECT_EQ(all[1].log, "services/log.txt");
    EXPECT_EQ(all[2].log, "wlan/log.txt");
    EXPECT_EQ(all[0].text, "1000 WlanScan");
    EXPECT_EQ(all[2].time_ms, 1020u);
    EXPECT_LT(all[0].seq, all[1].seq);
    EXPECT_LT(all[1].seq, all[2].seq);

    struct Case
    {
        machine::JournalFilter filter;
        std::vector<std::string> logs;
    } cases[] = {
        {{all[0].seq, 0, 0}, {"services/log.txt", "wlan/log.txt"}},
        {{0, 1010, 0}, {"services/log.txt", "wlan/log.txt"}},
        {{0, 0, 1}, {"wlan/log.txt"}},
        {{0, 2000, 0}, {}},
        // One log alone, the count taken of its lines only.
        {{0, 0, 0, {"wlan/log.txt"}}, {"wlan/log.txt", "wlan/log.txt"}},
        {{0, 0, 1, {"services/log.txt"}}, {"services/log.txt"}},
        {{0, 0, 0, {"wlan"}}, {}},
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> logs;
        for (const auto& line : machine::ReadJournal(mm, c.filter))
            logs.push_back(line.log);
        EXPECT_EQ(logs, c.logs) << c.filter.afterSeq << " " << c.filter.since_ms << " "
                                << c.filter.tail;
    }
}

// The lines an idle client's tick leaves every 2 s: its WLAN calls, a driver query, a service
// check. A day of them keeps every log under its cap on disk.
TEST(LogJournal, ADayOfTicksStaysUnderTheCaps)
{
    testing_support::TempMachine m;
    testing_support::MachineTestClock clock(0);
    const auto& mm = m.machine();
    const std::string guid = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";
    machine::miniport::LogEntry query;
    query.code = 0x0D010101;
    query.length = 4;
    query.bytesOut = std::string(4, '\1');
    query.ok = true;
    constexpr int kTicksADay = 24 * 3600 / 2;
    for (int tick = 0; tick < kTicksADay; ++tick, clock.advance(2000))
    {
        for (int opcode : {6, 7, 7, 6, 4})
            machine::wlan::Log(mm, "WlanQueryInterface " + guid + " opcode " +
                                       std::to_string(opcode) + " -> 0");
        machine::miniport::AppendRequestLog(mm, guid, query);
        machine::services::AppendServiceLog(mm, "QueryServiceStatus Wlansvc -> ok RUNNING");
    }
    for (const fs::path& log : {m.root() / "wlan" / "log.txt", m.root() / "services" / "log.txt",
                                m.root() / "miniport" / guid / "requests.log"})
    {
        ASSERT_TRUE(fs::exists(log)) << log;
        EXPECT_LE(fs::file_size(log), machine::kLogCapBytes) << log;
        const fs::path older = machine::OlderLogGeneration(log);
        if (fs::exists(older))
        {
            EXPECT_LE(fs::file_size(older), machine::kLogCapBytes) << older;
        }
    }
    EXPECT_NE(
        machine::wlan::ReadLog(mm).find(std::to_string(clock.now() - 2000) + " WlanQueryInterface"),
        std::string::npos);
}

} // namespace
