#include "machine/desktop/Tray.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/MachineLock.h"
#include "machine/ParsedFile.h"
#include "machine/desktop/Desktop.h"
#include "machine/desktop/DesktopLog.h"
#include "machine/desktop/ProcessFiles.h"
#include "machine/desktop/RuntimeFolder.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <mutex>
#include <sstream>

namespace machine::desktop
{
namespace
{

constexpr std::string_view kHeader = "tessaryn-tray 1\n";

std::mutex g_lock;
// Never destroyed: threads may still change icons while the process ends.
detail::OwnRecords<TrayIcon>& ownIcons()
{
    static auto* own = new detail::OwnRecords<TrayIcon>;
    return *own;
}

std::filesystem::path refusalsPath(const Machine& machine)
{
    return machine.runtimeDir() / "tray-refusals";
}

using Refusals = std::array<int, 3>;

Refusals parseRefusals(const std::string& text)
{
    Refusals counts{0, 0, 0};
    std::istringstream in(text);
    std::string name;
    int n = 0;
    while (in >> name >> n)
        for (int c = 0; c < 3; ++c)
            if (name == TrayCommandName(static_cast<TrayCommand>(c)) && n > 0)
                counts[static_cast<std::size_t>(c)] = n;
    return counts;
}

// Every change of an icon looks here, and there is mostly no file: the look is kept per file
// version, so that an unchanged or missing file is not read again.
Refusals readRefusals(const Machine& machine)
{
    static ParsedFile<Refusals> kept;
    return kept.loadText(refusalsPath(machine), parseRefusals).value_or(Refusals{0, 0, 0});
}

void writeRefusals(const Machine& machine, const Refusals& counts)
{
    std::string out;
    for (int c = 0; c < 3; ++c)
        if (counts[static_cast<std::size_t>(c)] > 0)
            out += std::string(TrayCommandName(static_cast<TrayCommand>(c))) + " " +
                   std::to_string(counts[static_cast<std::size_t>(c)]) + "\n";
    std::error_code ec;
    machine::CreateFolders(machine.runtimeDir(), ec);
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

// This process's file in the tray folder as it is now, kept per file version: nullopt when it is
// gone (the run folder emptied, or swept by a process that took this one for gone).
std::optional<std::string> ownFileText(const Machine& machine)
{
    static ParsedFile<std::string> kept;
    return kept.loadText(detail::TrayDir(machine) / std::to_string(::getpid()),
                         [](const std::string& text) { return text; });
}

std::vector<std::string> serialize(const std::vector<TrayIcon>& icons)
{
    std::vector<std::string> lines;
    for (const auto& i : icons)
        lines.push_back(hex(i.hwnd) + "\t" + hex(i.uid) + "\t" + hex(i.callbackMessage) + "\t" +
                        hex(i.icon) + "\t" + std::to_string(i.iconResource) + "\t" +
                        EscapeText(i.tip));
    return lines;
}

std::optional<TrayIcon> parseLine(std::string_view line, int pid)
{
    auto f = detail::SplitFields(line, 6);
    if (!f)
        return std::nullopt;
    auto tip = detail::UnescapeText((*f)[5]);
    if (!tip)
        return std::nullopt;
    try
    {
        TrayIcon icon;
        icon.pid = pid;
        icon.hwnd = static_cast<std::uint32_t>(std::stoul(std::string((*f)[0]), nullptr, 16));
        icon.uid = static_cast<std::uint32_t>(std::stoul(std::string((*f)[1]), nullptr, 16));
        icon.callbackMessage =
            static_cast<std::uint32_t>(std::stoul(std::string((*f)[2]), nullptr, 16));
        icon.icon = static_cast<std::uint32_t>(std::stoul(std::string((*f)[3]), nullptr, 16));
        icon.iconResource = static_cast<std::uint32_t>(std::stoul(std::string((*f)[4])));
        icon.tip = std::move(*tip);
        return icon;
    }
    catch (const std::exception&)
    {
        return std::nullopt;
    }
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

namespace
{

// What a person sees change: the icon as it now stands, or its leaving.
void logChange(const Machine& machine, TrayCommand command, std::uint32_t uid,
               const std::vector<TrayIcon>& icons)
{
    std::string line = std::string("tray ") + TrayCommandName(command) +
                       " pid=" + std::to_string(::getpid()) + " uid=" + std::to_string(uid);
    auto now =
        std::find_if(icons.begin(), icons.end(), [&](const TrayIcon& i) { return i.uid == uid; });
    if (command != TrayCommand::Delete && now != icons.end())
        line.append(" icon=")
            .append(std::to_string(now->iconResource))
            .append(" tip=")
            .append(QuotedLogText(now->tip));
    AppendDesktopLog(machine, line);
}

} // namespace

namespace
{

// What a Modify sets: the fields it names.
void modify(TrayIcon& entry, const TrayIcon& icon, TrayFields fields)
{
    if (fields.message)
        entry.callbackMessage = icon.callbackMessage;
    if (fields.icon)
    {
        entry.icon = icon.icon;
        entry.iconResource = icon.iconResource;
    }
    if (fields.tip)
        entry.tip = icon.tip;
}

// An icon set again to what it is, with nothing refused and the file holding it already: so a
// program's timer setting its icon on every tick takes no lock and writes nothing.
bool unchangedModify(const Machine& machine, const TrayIcon& icon, TrayFields fields)
{
    if (readRefusals(machine)[static_cast<std::size_t>(TrayCommand::Modify)] > 0)
        return false;
    std::lock_guard guard(g_lock);
    const std::vector<TrayIcon>& icons = ownIcons().For(machine);
    auto it =
        std::find_if(icons.begin(), icons.end(),
                     [&](const TrayIcon& i) { return i.hwnd == icon.hwnd && i.uid == icon.uid; });
    if (it == icons.end())
        return false;
    TrayIcon now = *it;
    modify(now, icon, fields);
    return serialize({now}) == serialize({*it}) &&
           ownFileText(machine) == detail::OwnFileText(kHeader, serialize(icons));
}

} // namespace

TrayOutcome ApplyTrayCommand(const Machine& machine, TrayCommand command, const TrayIcon& icon,
                             TrayFields fields)
{
    if (command == TrayCommand::Modify && unchangedModify(machine, icon, fields))
        return TrayOutcome::Done;
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
    std::vector<TrayIcon>& icons = ownIcons().For(machine);
    auto it =
        std::find_if(icons.begin(), icons.end(),
                     [&](const TrayIcon& i) { return i.hwnd == icon.hwnd && i.uid == icon.uid; });
    const std::vector<std::string> before = serialize(icons);
    switch (command)
    {
    case TrayCommand::Add:
    {
        if (it != icons.end())
            return TrayOutcome::Duplicate;
        TrayIcon entry = icon;
        entry.pid = ::getpid();
        if (!fields.message)
            entry.callbackMessage = 0;
        if (!fields.icon)
            entry.icon = entry.iconResource = 0;
        if (!fields.tip)
            entry.tip.clear();
        icons.push_back(std::move(entry));
        break;
    }
    case TrayCommand::Modify:
        if (it == icons.end())
            return TrayOutcome::Missing;
        modify(*it, icon, fields);
        break;
    case TrayCommand::Delete:
        if (it == icons.end())
            return TrayOutcome::Missing;
        icons.erase(it);
        break;
    }
    // A program sets its icon again on every tick of its timer, mostly to what it was: the file is
    // written only when its lines change, or when it no longer holds them (gone with the machine's
    // run folder emptied, or written over).
    std::vector<std::string> after = serialize(icons);
    if (after == before && !after.empty() &&
        ownFileText(machine) == detail::OwnFileText(kHeader, after))
        return TrayOutcome::Done;
    if (!detail::WriteOwnFile(detail::TrayDir(machine), kHeader, after))
        return TrayOutcome::Failed;
    if (after != before)
        logChange(machine, command, icon.uid, icons);
    return TrayOutcome::Done;
}

std::vector<TrayIcon> ListTrayIcons(const Machine& machine)
{
    MachineLock machineLock(machine);
    std::vector<TrayIcon> icons;
    for (const auto& file : detail::ReadProcessFiles(machine, detail::TrayDir(machine), kHeader))
        for (const auto& line : file.lines)
            if (auto icon = parseLine(line, file.pid))
                icons.push_back(std::move(*icon));
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

bool WatchTrayIcons(ChangeWatch& watch, const Machine& machine)
{
    return watch.watchFolder(detail::TrayDir(machine));
}

int PendingTrayRefusals(const Machine& machine, TrayCommand command)
{
    MachineLock machineLock(machine);
    return readRefusals(machine)[static_cast<std::size_t>(command)];
}

} // namespace machine::desktop
