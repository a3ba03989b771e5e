#include "machine/desktop/Desktop.h"

#include "machine/FileStore.h"
#include "machine/MachineLock.h"
#include "machine/desktop/RuntimeFolder.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <mutex>

namespace machine::desktop
{
namespace
{

// First line of a window file; a file without it is not read.
constexpr std::string_view kHeader = "tessaryn-windows 1\n";

struct Published
{
    pid_t pid = 0; // windows inherited across fork are the parent's
    std::vector<TopLevelWindow> windows;
};

std::mutex g_lock;
// Never destroyed: threads may still post or publish while the process ends.
std::map<std::string, Published>& publishedByMachine()
{
    static auto* map = new std::map<std::string, Published>;
    return *map;
}

Published& publishedFor(const Machine& machine)
{
    Published& published = publishedByMachine()[machine.root().string()];
    if (published.pid != ::getpid())
        published = {::getpid(), {}};
    return published;
}

// Titles and class names are bytes; the fields of a line are kept apart by escaping the
// separators and every other control byte.
void appendEscaped(std::string& out, std::string_view text)
{
    static const char hex[] = "0123456789ABCDEF";
    for (char c : text)
    {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (byte < 0x20 || byte == 0x7F)
        {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        }
        else
            out += c;
    }
}

std::optional<std::string> unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '\\')
        {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i])
        {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'x':
        {
            unsigned value = 0;
            if (text.size() - i < 3)
                return std::nullopt;
            auto [ptr, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
            if (ec != std::errc() || ptr != text.data() + i + 3)
                return std::nullopt;
            out += static_cast<char>(value);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::string serialize(const std::vector<TopLevelWindow>& windows)
{
    std::string out(kHeader);
    for (const auto& w : windows)
    {
        char hwnd[16];
        auto [end, ec] = std::to_chars(hwnd, hwnd + sizeof hwnd, w.hwnd, 16);
        out.append(hwnd, end);
        out += w.visible ? "\t1\t" : "\t0\t";
        appendEscaped(out, w.className);
        out += '\t';
        appendEscaped(out, w.title);
        out += '\n';
    }
    return out;
}

std::optional<TopLevelWindow> parseLine(std::string_view line, int pid)
{
    std::string_view fields[4];
    for (int i = 0; i < 3; ++i)
    {
        auto tab = line.find('\t');
        if (tab == std::string_view::npos)
            return std::nullopt;
        fields[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    fields[3] = line;
    TopLevelWindow w;
    w.pid = pid;
    auto [ptr, ec] =
        std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), w.hwnd, 16);
    if (ec != std::errc() || ptr != fields[0].data() + fields[0].size() || w.hwnd == 0)
        return std::nullopt;
    if (fields[1] != "0" && fields[1] != "1")
        return std::nullopt;
    w.visible = fields[1] == "1";
    auto className = unescape(fields[2]);
    auto title = unescape(fields[3]);
    if (!className || !title)
        return std::nullopt;
    w.className = std::move(*className);
    w.title = std::move(*title);
    return w;
}

void parseFile(std::string_view data, int pid, std::vector<TopLevelWindow>& out)
{
    if (data.substr(0, kHeader.size()) != kHeader)
        return;
    data.remove_prefix(kHeader.size());
    while (!data.empty())
    {
        auto eol = data.find('\n');
        if (eol == std::string_view::npos)
            return; // a line without its end was never written whole
        if (auto w = parseLine(data.substr(0, eol), pid))
            out.push_back(std::move(*w));
        data.remove_prefix(eol + 1);
    }
}

// Writes this process's file; no file when it has no windows. The caller holds both locks.
bool writeOwnFile(const Machine& machine, const Published& published)
{
    auto path = detail::WindowsDir(machine) / std::to_string(published.pid);
    if (published.windows.empty())
    {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        return !ec;
    }
    return WriteFileAtomically(path, serialize(published.windows), FileAccess::Everyone);
}

} // namespace

std::string EscapeText(std::string_view text)
{
    std::string out;
    appendEscaped(out, text);
    return out;
}

bool PublishWindow(const Machine& machine, const TopLevelWindow& window)
{
    if (window.hwnd == 0)
        return false;
    MachineLock machineLock(machine);
    if (!detail::RegisterThisProcess(machine))
        return false;
    std::lock_guard guard(g_lock);
    Published& published = publishedFor(machine);
    TopLevelWindow entry = window;
    entry.pid = published.pid;
    auto it = std::find_if(published.windows.begin(), published.windows.end(),
                           [&](const TopLevelWindow& w) { return w.hwnd == window.hwnd; });
    if (it != published.windows.end())
        *it = std::move(entry);
    else
        published.windows.push_back(std::move(entry));
    return writeOwnFile(machine, published);
}

void WithdrawWindow(const Machine& machine, std::uint32_t hwnd)
{
    MachineLock machineLock(machine);
    std::lock_guard guard(g_lock);
    Published& published = publishedFor(machine);
    auto it = std::find_if(published.windows.begin(), published.windows.end(),
                           [&](const TopLevelWindow& w) { return w.hwnd == hwnd; });
    if (it == published.windows.end())
        return;
    published.windows.erase(it);
    writeOwnFile(machine, published);
}

std::vector<TopLevelWindow> ListWindows(const Machine& machine)
{
    MachineLock machineLock(machine);
    detail::SweepGoneProcesses(machine);
    std::vector<int> pids;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(detail::WindowsDir(machine), ec), end;
         !ec && it != end; it.increment(ec))
    {
        std::string name = it->path().filename().string();
        int pid = detail::LeadingPid(name);
        if (pid != 0 && name == std::to_string(pid))
            pids.push_back(pid);
    }
    std::sort(pids.begin(), pids.end());
    std::vector<TopLevelWindow> windows;
    for (int pid : pids)
    {
        if (auto data = ReadWholeFile(detail::WindowsDir(machine) / std::to_string(pid)))
            parseFile(*data, pid, windows);
    }
    return windows;
}

} // namespace machine::desktop
