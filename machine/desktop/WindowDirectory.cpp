#include "machine/desktop/Desktop.h"

#include "machine/FileStore.h"
#include "machine/MachineLock.h"
#include "machine/desktop/ProcessFiles.h"
#include "machine/desktop/RuntimeFolder.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <mutex>

namespace machine::desktop
{
namespace
{

// First line of a window file; a file without it is not read.
constexpr std::string_view kHeader = "tessaryn-windows 1\n";

std::mutex g_lock;
// Never destroyed: threads may still post or publish while the process ends.
detail::OwnRecords<TopLevelWindow>& ownWindows()
{
    static auto* own = new detail::OwnRecords<TopLevelWindow>;
    return *own;
}

std::vector<std::string> serialize(const std::vector<TopLevelWindow>& windows)
{
    std::vector<std::string> lines;
    for (const auto& w : windows)
    {
        char hwnd[16];
        auto [end, ec] = std::to_chars(hwnd, hwnd + sizeof hwnd, w.hwnd, 16);
        std::string line(hwnd, end);
        line += w.visible ? "\t1\t" : "\t0\t";
        line += EscapeText(w.className);
        line += '\t';
        line += EscapeText(w.title);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::optional<TopLevelWindow> parseLine(std::string_view line, int pid)
{
    auto split = detail::SplitFields(line, 4);
    if (!split)
        return std::nullopt;
    const auto& fields = *split;
    TopLevelWindow w;
    w.pid = pid;
    auto [ptr, ec] =
        std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), w.hwnd, 16);
    if (ec != std::errc() || ptr != fields[0].data() + fields[0].size() || w.hwnd == 0)
        return std::nullopt;
    if (fields[1] != "0" && fields[1] != "1")
        return std::nullopt;
    w.visible = fields[1] == "1";
    auto className = detail::UnescapeText(fields[2]);
    auto title = detail::UnescapeText(fields[3]);
    if (!className || !title)
        return std::nullopt;
    w.className = std::move(*className);
    w.title = std::move(*title);
    return w;
}

// Writes this process's file; no file when it has no windows. The caller holds both locks.
bool writeOwnFile(const Machine& machine, const std::vector<TopLevelWindow>& windows)
{
    return detail::WriteOwnFile(detail::WindowsDir(machine), kHeader, serialize(windows));
}

} // namespace

bool PublishWindow(const Machine& machine, const TopLevelWindow& window)
{
    if (window.hwnd == 0)
        return false;
    MachineLock machineLock(machine);
    if (!detail::RegisterThisProcess(machine))
        return false;
    std::lock_guard guard(g_lock);
    std::vector<TopLevelWindow>& windows = ownWindows().For(machine);
    TopLevelWindow entry = window;
    entry.pid = ::getpid();
    auto it = std::find_if(windows.begin(), windows.end(),
                           [&](const TopLevelWindow& w) { return w.hwnd == window.hwnd; });
    if (it != windows.end())
        *it = std::move(entry);
    else
        windows.push_back(std::move(entry));
    return writeOwnFile(machine, windows);
}

void WithdrawWindow(const Machine& machine, std::uint32_t hwnd)
{
    MachineLock machineLock(machine);
    std::lock_guard guard(g_lock);
    std::vector<TopLevelWindow>& windows = ownWindows().For(machine);
    auto it = std::find_if(windows.begin(), windows.end(),
                           [&](const TopLevelWindow& w) { return w.hwnd == hwnd; });
    if (it == windows.end())
        return;
    windows.erase(it);
    writeOwnFile(machine, windows);
}

std::vector<TopLevelWindow> ListWindows(const Machine& machine)
{
    MachineLock machineLock(machine);
    std::vector<TopLevelWindow> windows;
    for (const auto& file : detail::ReadProcessFiles(machine, detail::WindowsDir(machine), kHeader))
        for (const auto& line : file.lines)
            if (auto w = parseLine(line, file.pid))
                windows.push_back(std::move(*w));
    return windows;
}

bool WatchWindows(ChangeWatch& watch, const Machine& machine)
{
    return watch.watchFolder(detail::WindowsDir(machine));
}

} // namespace machine::desktop
