#include "tools/vnmachine/UiCommand.h"

#include "machine/Machine.h"
#include "machine/desktop/Desktop.h"
#include "machine/desktop/Tray.h"
#include "platform/process/ProcessStart.h"
#include "platform/shell/ShellApi.h"
#include "platform/ui/MessageIds.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/automation/Remote.h"
#include "platform/ui/menus/Menus.h"

#include <strings.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <thread>

namespace
{

using machine::desktop::TopLevelWindow;
using platform::automation::AskProgram;
using platform::automation::HandleText;

struct Usage
{
};

std::string programName(int pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(in, name);
    return name.empty() ? "?" : name;
}

std::optional<TopLevelWindow> findWindow(const std::string& which)
{
    auto windows = machine::desktop::ListWindows(machine::CurrentMachine());
    if (auto handle = platform::automation::ParseHandle(which))
        for (const auto& w : windows)
            if (w.hwnd == *handle)
                return w;
    // By title: visible windows first, the latest of them.
    for (int pass = 0; pass < 4; ++pass)
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        {
            const bool visibleOnly = pass % 2 == 0;
            const bool exact = pass < 2;
            if (visibleOnly && !it->visible)
                continue;
            if (exact ? it->title == which : ::strcasecmp(it->title.c_str(), which.c_str()) == 0)
                return *it;
        }
    return std::nullopt;
}

int report(const platform::automation::Reply& r, std::ostream& out, std::ostream& err)
{
    if (!r.ok)
    {
        err << "vnmachine: " << r.message << "\n";
        return 1;
    }
    if (!r.body.empty())
        out << r.body;
    else
        out << r.message << "\n";
    return 0;
}

int onWindow(const std::string& which, std::vector<std::string> fields, std::ostream& out,
             std::ostream& err)
{
    auto w = findWindow(which);
    if (!w)
    {
        err << "vnmachine: no window '" << which << "'\n";
        return 1;
    }
    fields.insert(fields.begin() + 1, HandleText(w->hwnd));
    return report(AskProgram(w->pid, fields), out, err);
}

std::vector<int> programPids()
{
    std::vector<int> pids;
    for (const auto& w : machine::desktop::ListWindows(machine::CurrentMachine()))
        if (std::find(pids.begin(), pids.end(), w.pid) == pids.end())
            pids.push_back(w.pid);
    return pids;
}

int runMenu(const std::string& item, std::ostream& out, std::ostream& err)
{
    for (const auto& w : machine::desktop::ListWindows(machine::CurrentMachine()))
        if (::strcasecmp(w.className.c_str(), kPopupMenuClass) == 0)
            return report(AskProgram(w.pid, {"menu", item}), out, err);
    err << "vnmachine: no menu is open\n";
    return 1;
}

int runAnswer(const std::vector<std::string>& a, std::ostream& out, std::ostream& err)
{
    const std::string button = a.back();
    std::vector<int> pids;
    std::string box = "0";
    if (a.size() == 3)
    {
        auto w = findWindow(a[1]);
        if (!w)
        {
            err << "vnmachine: no window '" << a[1] << "'\n";
            return 1;
        }
        pids.push_back(w->pid);
        // The box itself, or a window of the program it belongs to.
        auto boxes = AskProgram(w->pid, {"boxes"});
        if (boxes.ok && boxes.body.find(HandleText(w->hwnd) + "\t") != std::string::npos)
            box = HandleText(w->hwnd);
    }
    else
        pids = programPids();
    for (int pid : pids)
    {
        auto boxes = AskProgram(pid, {"boxes"});
        if (boxes.ok && !boxes.body.empty())
            return report(AskProgram(pid, {"answer", box, button}), out, err);
    }
    err << "vnmachine: no message box is up\n";
    return 1;
}

int runTray(const std::vector<std::string>& a, std::ostream& out, std::ostream& err)
{
    if (a.size() < 3 || a.size() > 4)
        throw Usage{};
    platform::TrayClick click;
    if (a[2] == "right")
        click = platform::TrayClick::Right;
    else if (a[2] == "double")
        click = platform::TrayClick::Double;
    else if (a[2] == "left")
        click = platform::TrayClick::Left;
    else
        throw Usage{};
    const auto pid = platform::automation::ParseHandle(a[1]);
    std::optional<std::uint32_t> uid;
    if (a.size() == 4)
        uid = platform::automation::ParseHandle(a[3]);
    for (const auto& icon : machine::desktop::ListTrayIcons(machine::CurrentMachine()))
    {
        const bool program =
            pid ? icon.pid == static_cast<int>(*pid)
                : ::strcasecmp(programName(icon.pid).c_str(), a[1].c_str()) == 0 ||
                      ::strcasecmp((programName(icon.pid) + ".exe").c_str(), a[1].c_str()) == 0;
        if (!program || (uid && icon.uid != *uid))
            continue;
        if (!platform::ClickTrayIcon(icon.hwnd, icon.uid, click))
        {
            err << "vnmachine: the click could not be delivered\n";
            return 1;
        }
        // A right click usually opens the icon's menu: say so when it does.
        for (int i = 0; i < 100; ++i)
        {
            for (const auto& w : machine::desktop::ListWindows(machine::CurrentMachine()))
                if (w.pid == icon.pid && ::strcasecmp(w.className.c_str(), kPopupMenuClass) == 0)
                {
                    out << "clicked; a menu is open\n";
                    return report(AskProgram(w.pid, {"describe", HandleText(w.hwnd)}), out, err);
                }
            if (click != platform::TrayClick::Right)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        out << "clicked\n";
        return 0;
    }
    err << "vnmachine: no tray icon of '" << a[1] << "'\n";
    return 1;
}

int runStart(const std::vector<std::string>& a, std::ostream& out, std::ostream& err)
{
    if (a.size() < 2)
        throw Usage{};
    std::string line = "\"" + a[1] + "\"";
    for (std::size_t i = 2; i < a.size(); ++i)
        line += " " + a[i];
    const UINT result = WinExec(line.c_str(), SW_SHOW);
    if (result <= 31)
    {
        err << "vnmachine: " << a[1] << " did not start (" << result << ")\n";
        return 1;
    }
    out << "started " << line << "\n";
    return 0;
}

int runWait(const std::vector<std::string>& a, std::ostream& out, std::ostream& err)
{
    if (a.size() < 2 || a.size() > 3)
        throw Usage{};
    const double seconds = a.size() == 3 ? std::stod(a[2]) : 10.0;
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    for (;;)
    {
        if (auto w = findWindow(a[1]))
        {
            out << HandleText(w->hwnd) << "\n";
            return 0;
        }
        if (std::chrono::steady_clock::now() > deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    err << "vnmachine: no window '" << a[1] << "' within " << seconds << " s\n";
    return 1;
}

int dispatch(const std::vector<std::string>& a, std::ostream& out, std::ostream& err)
{
    if (a.empty())
        throw Usage{};
    const std::string& verb = a[0];
    auto need = [&](std::size_t n)
    {
        if (a.size() != n)
            throw Usage{};
    };
    if (verb == "help")
    {
        out << "usage:\n";
        PrintUiUsage(out, "  vnmachine ui ");
        return 0;
    }
    if (verb == "list")
    {
        need(1);
        PrintProgramList(out);
        return 0;
    }
    if (verb == "show")
        return need(2), onWindow(a[1], {"describe"}, out, err);
    if (verb == "click")
        return need(3), onWindow(a[1], {"click", a[2]}, out, err);
    if (verb == "type" || verb == "settext" || verb == "select" || verb == "slide")
        return need(4), onWindow(a[1], {verb, a[2], a[3]}, out, err);
    if (verb == "row")
    {
        if (a.size() != 4 && !(a.size() == 5 && a[4] == "--double"))
            throw Usage{};
        return onWindow(a[1], {"row", a[2], a[3], a.size() == 5 ? "1" : "0"}, out, err);
    }
    if (verb == "key")
        return need(3), onWindow(a[1], {"key", a[2]}, out, err);
    if (verb == "close")
        return need(2), onWindow(a[1], {"close"}, out, err);
    if (verb == "page")
        return need(3), onWindow(a[1], {"page", a[2]}, out, err);
    if (verb == "sysmenu")
        return need(3), onWindow(a[1], {"sysmenu", a[2]}, out, err);
    if (verb == "menu")
        return need(2), runMenu(a[1], out, err);
    if (verb == "answer")
    {
        if (a.size() != 2 && a.size() != 3)
            throw Usage{};
        return runAnswer(a, out, err);
    }
    if (verb == "tray")
        return runTray(a, out, err);
    if (verb == "start")
        return runStart(a, out, err);
    if (verb == "wait")
        return runWait(a, out, err);
    err << "vnmachine: unknown ui command '" << verb << "'\n";
    throw Usage{};
}

} // namespace

void PrintUiUsage(std::ostream& out, const char* prefix)
{
    const char* lines[] = {
        "list                          programs, their windows and tray icons",
        "show WIN                      the window drawn as text",
        "click WIN CONTROL             press a button, check box or radio",
        "type WIN CONTROL TEXT         type into an edit (then focus moves on)",
        "settext WIN CONTROL TEXT      set a control's text",
        "select WIN CONTROL ENTRY      pick a combo or list entry (text or #N)",
        "row WIN CONTROL N [--double]  click (or double-click) a list-view row",
        "slide WIN CONTROL POS         move a slider",
        "key WIN enter|esc             press Enter or Esc",
        "close WIN                     the close box",
        "page WIN PAGE                 choose a property-sheet page (caption or #N)",
        "menu ITEM|ID                  pick an item of the open popup menu",
        "sysmenu WIN ITEM|ID           pick an item of the window's system menu",
        "tray PROGRAM|PID right|double|left [UID]   click a tray icon",
        "answer [WIN] BUTTON           press a button of the message box (OK, Cancel, ...)",
        "start PROGRAM [ARGS...]       start a program",
        "wait WIN [SECONDS]            wait for a window to appear (default 10 s)",
    };
    for (const char* l : lines)
        out << prefix << l << "\n";
    out << prefix << "WIN: a window handle or title; CONTROL: a control id or its text\n";
}

void PrintProgramList(std::ostream& out)
{
    const machine::Machine& m = machine::CurrentMachine();
    auto windows = machine::desktop::ListWindows(m);
    auto icons = machine::desktop::ListTrayIcons(m);
    std::map<int, bool> pids;
    for (const auto& w : windows)
        pids[w.pid] = true;
    for (const auto& i : icons)
        pids[i.pid] = true;
    if (pids.empty())
        out << "no programs with windows are running\n";
    for (const auto& [pid, unused] : pids)
    {
        out << pid << " " << programName(pid) << "\n";
        for (const auto& w : windows)
            if (w.pid == pid)
                out << "  window " << HandleText(w.hwnd) << " \""
                    << machine::desktop::EscapeText(w.title) << "\" "
                    << machine::desktop::EscapeText(w.className) << (w.visible ? "" : " (hidden)")
                    << "\n";
        for (const auto& i : icons)
            if (i.pid == pid)
            {
                out << "  tray " << i.uid << " \"" << machine::desktop::EscapeText(i.tip) << "\"";
                if (i.iconResource != 0)
                    out << " icon " << i.iconResource;
                out << " (window " << HandleText(i.hwnd) << ")\n";
            }
    }
}

int RunUiCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    try
    {
        return dispatch(args, out, err);
    }
    catch (const Usage&)
    {
        err << "usage:\n";
        PrintUiUsage(err, "  vnmachine ui ");
        return 2;
    }
}

int RunUiCommand(const std::vector<std::string>& args)
{
    return RunUiCommand(args, std::cout, std::cerr);
}
