#include "machine/desktop/Tray.h"

#include "machine/FileStore.h"
#include "machine/MachineLock.h"
#include "machine/desktop/Desktop.h"
#include "machine/desktop/RuntimeFolder.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <map>
#include <mutex>
#include <sstream>

namespace machine::desktop
{
namespace
{

constexpr std::string_view kHeader = "tessaryn-tray 1\n";

struct Own
{
    pid_t pid = 0; // icons inherited across fork are the parent's
    std::vector<TrayIcon> icons;
};

std::mutex g_lock;
std::map<std::string, Own>& ownByMachine()
{
    static auto* map = new std::map<std::string, Own>;
    return *map;
}

Own& ownFor(const Machine& machine)
{
    Own& own = ownByMachine()[machine.root().string()];
    if (own.pid != ::getpid())
        own = {::getpid(), {}};
    return own;
}

std::filesystem::path refusalsPath(const Machine& machine)
{
    return machine.runtimeDir() / "tray-refusals";
}

using Refusals = std::array<int, 3>;

Refusals readRefusals(const Machine& machine)
{
    Refusals counts{0, 0, 0};
    auto data = ReadWholeFile(refusalsPath(machine));
    if (!data)
        return counts;
    std::istringstream in(*data);
    std::string name;
    int n = 0;
    while (in >> name >> n)
        for (int c = 0; c < 3; ++c)
            if (name == TrayCommandName(static_cast<TrayCommand>(c)) && n > 0)
                counts[static_cast<std::size_t>(c)] = n;
    return counts;
}

void writeRefusals(const Machine& machine, const Refusals& counts)
{
    std::string out;
    for (int c = 0; c < 3; ++c)
        if (counts[static_cast<std::size_t>(c)] > 0)
            out += std::string(TrayCommandName(static_cast<TrayCommand>(c))) + " " +
                   std::to_string(counts[static_cast<std::size_t>(c)]) + "\n";
    std::error_code ec;
    std::filesystem::create_directories(machine.runtimeDir(), ec);
    if (out.empty())
        std::filesystem::remove(refusalsPath(machine), ec);
    else
        WriteFileAtomically(refusalsPath(machine), out, FileAccess::Everyone);
}

std::string hex(std::uint32_t v)
{
    std::ostringstream out;
    out << std::hex << v;
    return out.str();
}

std::string serialize(const std::vector<TrayIcon>& icons)
{
    std::string out(kHeader);
    for (const auto& i : icons)
        out += hex(i.hwnd) + "\t" + hex(i.uid) + "\t" + hex(i.callbackMessage) + "\t" +
               hex(i.icon) + "\t" + std::to_string(i.iconResource) + "\t" + EscapeText(i.tip) +
               "\n";
    return out;
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
        char c = text[i];
        if (c == '\\')
            out += '\\';
        else if (c == 't')
            out += '\t';
        else if (c == 'n')
            out += '\n';
        else if (c == 'x' && text.size() - i >= 3)
        {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        }
        else
            return std::nullopt;
    }
    return out;
}

void parse(std::string_view data, int pid, std::vector<TrayIcon>& out)
{
    if (data.substr(0, kHeader.size()) != kHeader)
        return;
    data.remove_prefix(kHeader.size());
    while (!data.empty())
    {
        auto eol = data.find('\n');
        if (eol == std::string_view::npos)
            return;
        std::string_view line = data.substr(0, eol);
        data.remove_prefix(eol + 1);
        std::vector<std::string_view> f;
        for (int k = 0; k < 5; ++k)
        {
            auto tab = line.find('\t');
            if (tab == std::string_view::npos)
                break;
            f.push_back(line.substr(0, tab));
            line.remove_prefix(tab + 1);
        }
        if (f.size() != 5)
            continue;
        auto tip = unescape(line);
        if (!tip)
            continue;
        try
        {
            TrayIcon icon;
            icon.pid = pid;
            icon.hwnd = static_cast<std::uint32_t>(std::stoul(std::string(f[0]), nullptr, 16));
            icon.uid = static_cast<std::uint32_t>(std::stoul(std::string(f[1]), nullptr, 16));
            icon.callbackMessage =
                static_cast<std::uint32_t>(std::stoul(std::string(f[2]), nullptr, 16));
            icon.icon = static_cast<std::uint32_t>(std::stoul(std::string(f[3]), nullptr, 16));
            icon.iconResource = static_cast<std::uint32_t>(std::stoul(std::string(f[4])));
            icon.tip = std::move(*tip);
            out.push_back(std::move(icon));
        }
        catch (const std::exception&)
        {
        }
    }
}

bool writeOwn(const Machine& machine, const Own& own)
{
    auto path = detail::TrayDir(machine) / std::to_string(own.pid);
    std::error_code ec;
    if (own.icons.empty())
    {
        std::filesystem::remove(path, ec);
        return !ec;
    }
    std::filesystem::create_directories(detail::TrayDir(machine), ec);
    return WriteFileAtomically(path, serialize(own.icons), FileAccess::Everyone);
}

} // namespace

const char* TrayCommandName(TrayCommand command)
{
    switch (command)
    {
    case TrayCommand::Add:
        return "add";
    case TrayCommand::Modify:
        return "modify";
    case TrayCommand::Delete:
        return "delete";
    }
    return "?";
}

TrayOutcome ApplyTrayCommand(const Machine& machine, TrayCommand command, const TrayIcon& icon,
                             TrayFields fields)
{
    MachineLock machineLock(machine);
    if (!detail::RegisterThisProcess(machine))
        return TrayOutcome::Failed;
    Refusals refusals = readRefusals(machine);
    int& pending = refusals[static_cast<std::size_t>(command)];
    if (pending > 0)
    {
        --pending;
        writeRefusals(machine, refusals);
        return TrayOutcome::Refused;
    }
    std::lock_guard guard(g_lock);
    Own& own = ownFor(machine);
    auto it =
        std::find_if(own.icons.begin(), own.icons.end(),
                     [&](const TrayIcon& i) { return i.hwnd == icon.hwnd && i.uid == icon.uid; });
    switch (command)
    {
    case TrayCommand::Add:
    {
        if (it != own.icons.end())
            return TrayOutcome::Duplicate;
        TrayIcon entry = icon;
        entry.pid = own.pid;
        if (!fields.message)
            entry.callbackMessage = 0;
        if (!fields.icon)
            entry.icon = entry.iconResource = 0;
        if (!fields.tip)
            entry.tip.clear();
        own.icons.push_back(std::move(entry));
        break;
    }
    case TrayCommand::Modify:
        if (it == own.icons.end())
            return TrayOutcome::Missing;
        if (fields.message)
            it->callbackMessage = icon.callbackMessage;
        if (fields.icon)
        {
            it->icon = icon.icon;
            it->iconResource = icon.iconResource;
        }
        if (fields.tip)
            it->tip = icon.tip;
        break;
    case TrayCommand::Delete:
        if (it == own.icons.end())
            return TrayOutcome::Missing;
        own.icons.erase(it);
        break;
    }
    return writeOwn(machine, own) ? TrayOutcome::Done : TrayOutcome::Failed;
}

std::vector<TrayIcon> ListTrayIcons(const Machine& machine)
{
    MachineLock machineLock(machine);
    detail::SweepGoneProcesses(machine);
    std::vector<int> pids;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(detail::TrayDir(machine), ec), end;
         !ec && it != end; it.increment(ec))
    {
        std::string name = it->path().filename().string();
        int pid = detail::LeadingPid(name);
        if (pid != 0 && name == std::to_string(pid))
            pids.push_back(pid);
    }
    std::sort(pids.begin(), pids.end());
    std::vector<TrayIcon> icons;
    for (int pid : pids)
        if (auto data = ReadWholeFile(detail::TrayDir(machine) / std::to_string(pid)))
            parse(*data, pid, icons);
    return icons;
}

std::optional<TrayIcon> FindTrayIcon(const Machine& machine, std::uint32_t hwnd, std::uint32_t uid)
{
    for (auto& icon : ListTrayIcons(machine))
        if (icon.hwnd == hwnd && icon.uid == uid)
            return icon;
    return std::nullopt;
}

void InjectTrayRefusal(const Machine& machine, TrayCommand command, int count)
{
    MachineLock machineLock(machine);
    Refusals refusals = readRefusals(machine);
    refusals[static_cast<std::size_t>(command)] = std::max(count, 0);
    writeRefusals(machine, refusals);
}

int PendingTrayRefusals(const Machine& machine, TrayCommand command)
{
    MachineLock machineLock(machine);
    return readRefusals(machine)[static_cast<std::size_t>(command)];
}

} // namespace machine::desktop
