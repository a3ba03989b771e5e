// The machine's logs through the machine tool: every log merged in one order, cut by time or
// count, followed as lines come, and each log alone as JSON with the journal's fields.

#include "machine/bridge/BridgeLog.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/RequestLog.h"
#include "machine/network/SharingFaults.h"
#include "machine/programs/ProgramLog.h"
#include "machine/services/ServiceTable.h"
#include "machine/wmi/DriverEvents.h"
#include "platform/Windows.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>

namespace
{

using testing_support::RunVnmachineApart;

nlohmann::json linesOf(const std::filesystem::path& machineDir,
                       const std::vector<std::string>& args)
{
    const auto r = RunVnmachineApart(machineDir, args);
    EXPECT_EQ(r.status, 0) << testing_support::Joined(args) << ": " << r.err;
    return r.status == 0 ? nlohmann::json::parse(r.out)["lines"] : nlohmann::json::array();
}

std::vector<std::string> textLines(const std::string& out)
{
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// One line of each log, written as the machine writes them.
void writeEveryLog(const machine::Machine& m)
{
    machine::services::AppendServiceLog(m, "OpenSCManager -> ok");
    machine::network::AppendSharingLog(m, "EnumEveryConnection -> ok");
    machine::bridge::AppendBridgeLog(m, "open \\\\.\\NBRG");
    machine::wmi::AppendWmiLog(m, "subscribe MSNdis_StatusMediaConnect");
    machine::programs::AppendProgramLog(m, "TessarynUI.exe -s");
    OutputDebugStringA("the monitor starts");
    machine::miniport::LogEntry entry;
    entry.code = 0x0D010102;
    entry.length = 36;
    entry.ok = true;
    machine::miniport::AppendRequestLog(
        m, machine::devices::ListDevices(m).front().netCfgInstanceId, entry);
}

TEST(VnmachineLog, EachLogAloneAsJsonHoldsWhatItsTextShows)
{
    testing_support::TempMachine m;
    writeEveryLog(m.machine());
    ASSERT_EQ(RunVnmachineApart(m.root(), {"wlan", "connect", "Harbor Guest"}).status, 0);

    const std::vector<std::vector<std::string>> logs = {
        {"log"},
        {"log", "programs"},
        {"programs", "log"},
        {"services", "log"},
        {"sharing", "log"},
        {"bridge", "log"},
        {"driver", "wmi-log"},
        {"wlan", "log"},
        {"driver", "log"},
    };
    for (const auto& command : logs)
    {
        SCOPED_TRACE(testing_support::Joined(command));
        const auto text = textLines(RunVnmachineApart(m.root(), command).out);
        auto json = command;
        json.push_back("--json");
        const auto lines = linesOf(m.root(), json);
        ASSERT_FALSE(lines.empty());
        ASSERT_EQ(lines.size(), text.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
        {
            EXPECT_EQ(lines[i]["log"], lines[0]["log"]);
            EXPECT_GT(lines[i]["seq"].get<std::uint64_t>(),
                      i == 0 ? 0 : lines[i - 1]["seq"].get<std::uint64_t>());
            EXPECT_TRUE(lines[i].contains("time_ms"));
            // The driver's log prints its requests read back; the others their lines.
            if (command != std::vector<std::string>{"driver", "log"})
            {
                EXPECT_EQ(lines[i]["text"], text[i]);
            }
        }
    }
}

TEST(VnmachineLog, TheJournalIsCutByTimeAndCount)
{
    testing_support::TempMachine m;
    writeEveryLog(m.machine());
    ASSERT_EQ(RunVnmachineApart(m.root(), {"services", "stop", "Wlansvc"}).status, 0);
    ASSERT_EQ(RunVnmachineApart(m.root(), {"wlan", "connect", "Harbor Guest"}).status, 0);

    const auto all = linesOf(m.root(), {"log", "all", "--json"});
    ASSERT_GE(all.size(), 9u);
    std::set<std::string> names;
    for (std::size_t i = 0; i < all.size(); ++i)
    {
        names.insert(all[i]["log"].get<std::string>());
        if (i > 0)
        {
            EXPECT_GT(all[i]["seq"], all[i - 1]["seq"]);
        }
    }
    EXPECT_GE(names.size(), 8u);
    EXPECT_TRUE(names.count("services/log.txt") && names.count("programs.log")) << all.dump();

    const auto tail = linesOf(m.root(), {"log", "all", "--tail", "3", "--json"});
    ASSERT_EQ(tail.size(), 3u);
    EXPECT_EQ(tail[0], all[all.size() - 3]);
    EXPECT_EQ(tail[2], all.back());
    const auto text = RunVnmachineApart(m.root(), {"log", "all", "--tail", "1"}).out;
    EXPECT_EQ(text, "#" + std::to_string(all.back()["seq"].get<std::uint64_t>()) + " " +
                        std::to_string(all.back()["time_ms"].get<std::uint64_t>()) + " " +
                        all.back()["log"].get<std::string>() + " " +
                        all.back()["text"].get<std::string>() + "\n");

    // From the time of the last line on; the same time with units; a time before now.
    const std::uint64_t last = all.back()["time_ms"];
    const auto since = linesOf(m.root(), {"log", "all", "--since", std::to_string(last), "--json"});
    ASSERT_FALSE(since.empty());
    for (const auto& line : since)
        EXPECT_GE(line["time_ms"].get<std::uint64_t>(), last);
    EXPECT_EQ(linesOf(m.root(), {"log", "all", "--since", std::to_string(last) + "ms", "--json"}),
              since);
    EXPECT_FALSE(linesOf(m.root(), {"log", "all", "--since", "-1h", "--json"}).empty());

    const auto help = RunVnmachineApart(m.root(), {"log", "all", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--tail N"), std::string::npos) << help.out;

    for (const auto& [args, problem] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"log", "all", "--since", "yesterday"}, "--since: 'yesterday'"},
             {{"log", "all", "--since", "5x"}, "--since: '5x'"},
             {{"log", "all", "--tail", "0"}, "--tail N: '0'"},
             {{"log", "all", "--tail"}, "--tail needs a value"},
             {{"log", "all", "--sort"}, "unexpected argument '--sort'"},
             {{"log", "everything"}, "unknown log 'everything'"},
         })
    {
        const auto r = RunVnmachineApart(m.root(), args);
        EXPECT_EQ(r.status, 2) << testing_support::Joined(args);
        EXPECT_NE(r.err.find(problem), std::string::npos) << r.err;
    }
}

// `vnmachine log all --follow --json` with its standard output on a pipe.
class Follower
{
public:
    explicit Follower(const std::filesystem::path& machineDir)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe");
        m_pid = ::fork();
        if (m_pid == 0)
        {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            ::close(fds[1]);
            const std::string tool = (testing_support::ProgramDirectory() / "vnmachine").string();
            ::execl(tool.c_str(), tool.c_str(), "--machine", machineDir.c_str(), "log", "all",
                    "--follow", "--json", "--tail", "1", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        m_out = fds[0];
    }
    ~Follower()
    {
        if (m_pid > 0 && !m_ended)
        {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_out);
    }

    // The next line it prints, or "" when none comes within the time.
    std::string nextLine(std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (m_buffer.find('\n') == std::string::npos)
        {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{m_out, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                return "";
            char chunk[4096];
            const ssize_t n = ::read(m_out, chunk, sizeof chunk);
            if (n <= 0)
                return "";
            m_buffer.append(chunk, static_cast<std::size_t>(n));
        }
        const auto end = m_buffer.find('\n');
        std::string line = m_buffer.substr(0, end);
        m_buffer.erase(0, end + 1);
        return line;
    }

    // Its exit status once it ends within the time; -1 otherwise.
    int exitStatus(std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline)
        {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
            {
                m_ended = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            // The child's end closes the pipe: wait for that rather than look again and again.
            pollfd p{m_out, POLLIN, 0};
            ::poll(&p, 1, 100);
            char chunk[4096];
            if ((p.revents & POLLIN) != 0)
                (void)!::read(m_out, chunk, sizeof chunk);
        }
        return -1;
    }

    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    bool m_ended = false;
    std::string m_buffer;
};

TEST(VnmachineLog, FollowingPrintsLinesAsTheyComeUntilStoppedOrTheMachineGoes)
{
    testing_support::TempMachine m;
    machine::programs::AppendProgramLog(m.machine(), "before");
    {
        Follower follower(m.root());
        auto first = nlohmann::json::parse(follower.nextLine());
        EXPECT_EQ(first["text"], "before");
        // Lines of two logs, each printed once, in their order.
        machine::programs::AppendProgramLog(m.machine(), "after 1");
        auto second = nlohmann::json::parse(follower.nextLine());
        EXPECT_EQ(second["text"], "after 1");
        EXPECT_EQ(second["log"], "programs.log");
        machine::network::AppendSharingLog(m.machine(), "after 2");
        auto third = nlohmann::json::parse(follower.nextLine());
        EXPECT_EQ(third["text"], "after 2");
        EXPECT_EQ(third["seq"].get<std::uint64_t>(), second["seq"].get<std::uint64_t>() + 1);
        ::kill(follower.pid(), SIGTERM);
        EXPECT_EQ(follower.exitStatus(), 0);
    }

    // The machine removed, or removed and made anew in its folder: the machine followed is gone.
    for (const bool madeAnew : {false, true})
    {
        SCOPED_TRACE(madeAnew ? "made anew" : "removed");
        const auto other = m.root() / "other";
        ASSERT_EQ(RunVnmachineApart(other, {"init"}).status, 0);
        ASSERT_EQ(RunVnmachineApart(other, {"services", "stop", "Wlansvc"}).status, 0);
        Follower follower(other);
        EXPECT_NE(follower.nextLine().find("Wlansvc"), std::string::npos); // it follows now
        std::filesystem::remove_all(other);
        if (madeAnew)
        {
            ASSERT_EQ(RunVnmachineApart(other, {"init"}).status, 0);
        }
        EXPECT_EQ(follower.exitStatus(), 0);
        std::filesystem::remove_all(other);
    }
}

} // namespace
