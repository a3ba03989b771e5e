#include "tools/vnmachine/UiCommand.h"

#include "tools/vnmachine/MachineCommand.h"

#include "machine/Machine.h"
#include "machine/desktop/Desktop.h"
#include "machine/desktop/Tray.h"
#include "platform/process/ProcessStart.h"
#include "platform/shell/ShellApi.h"
#include "platform/ui/MessageIds.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/automation/Remote.h"
#include "platform/ui/menus/Menus.h"
#include "tools/vnmachine/DesktopLookup.h"
#include "tools/vnmachine/JsonOutput.h"
#include "tools/vnmachine/PictureCommand.h"
#include "tools/vnmachine/WaitCommand.h"
#include "tools/vnmachine/WindowTree.h"

#include <strings.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

namespace
{

using machine::desktop::TopLevelWindow;
using platform::automation::AskProgram;
using platform::automation::HandleText;

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
    auto w = FindWindow(which);
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

int runAnswer(const Words& a, std::ostream& out, std::ostream& err)
{
    NeedWords(a, 1, 2);
    const std::string button = a.back();
    std::vector<int> pids;
    std::string box = "0";
    if (a.size() == 2)
    {
        auto w = FindWindow(a[0]);
        if (!w)
        {
            err << "vnmachine: no window '" << a[0] << "'\n";
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

int runTray(const Words& a, std::ostream& out, std::ostream& err)
{
    NeedWords(a, 2, 3);
    platform::TrayClick click;
    if (a[1] == "right")
        click = platform::TrayClick::Right;
    else if (a[1] == "double")
        click = platform::TrayClick::Double;
    else if (a[1] == "left")
        click = platform::TrayClick::Left;
    else
        throw UsageError{"'" + a[1] + "' is no click: right, double or left"};
    std::optional<std::uint32_t> uid;
    if (a.size() == 3)
        uid = platform::automation::ParseHandle(a[2]);
    if (auto icon = FindTrayIcon(a[0], uid))
    {
        if (!platform::ClickTrayIcon(icon->hwnd, icon->uid, click))
        {
            err << "vnmachine: the click could not be delivered\n";
            return 1;
        }
        // A right click usually opens the icon's menu (within 2 s): say so when it does.
        std::optional<machine::desktop::TopLevelWindow> menu;
        auto menuOpen = [&]
        {
            for (const auto& w : machine::desktop::ListWindows(machine::CurrentMachine()))
                if (w.pid == icon->pid && ::strcasecmp(w.className.c_str(), kPopupMenuClass) == 0)
                    menu = w;
            return menu.has_value();
        };
        if (click == platform::TrayClick::Right ? WaitForWindows(std::chrono::seconds(2), menuOpen)
                                                : menuOpen())
        {
            out << "clicked; a menu is open\n";
            return report(AskProgram(menu->pid, {"describe", HandleText(menu->hwnd)}), out, err);
        }
        out << "clicked\n";
        return 0;
    }
    err << "vnmachine: no tray icon of '" << a[0] << "'\n";
    return 1;
}

int runStart(const Words& a, std::ostream& out, std::ostream& err)
{
    NeedWords(a, 1, kAnyMoreWords);
    std::string line = "\"" + a[0] + "\"";
    for (std::size_t i = 1; i < a.size(); ++i)
        line += " " + a[i];
    // A program started where no machine exists makes the default one, as it would unstarted.
    if (!MachineUsableOrSay(err))
        return 1;
    machine::SetCreateWhenMissing(true);
    const UINT result = WinExec(line.c_str(), SW_SHOW);
    if (result <= 31)
    {
        err << "vnmachine: " << a[0] << " did not start (" << result << ")\n";
        return 1;
    }
    out << "started " << line << "\n";
    return 0;
}

// A window's timers as a person reads them: "ID every PERIOD ms, posts WM_TIMER".
int runTimers(const Words& a, std::ostream& out, std::ostream& err)
{
    NeedWords(a, 1);
    auto w = FindWindow(a[0]);
    if (!w)
    {
        err << "vnmachine: no window '" << a[0] << "'\n";
        return 1;
    }
    auto r = AskProgram(w->pid, {"timers", HandleText(w->hwnd)});
    if (!r.ok)
        return report(r, out, err);
    if (r.body.empty())
        out << "no timers\n";
    std::istringstream lines(r.body);
    std::string id, period, kind;
    while (std::getline(lines, id, '\t') && std::getline(lines, period, '\t') &&
           std::getline(lines, kind))
        out << id << " every " << period << " ms, "
            << (kind == "callback" ? "calls its timer procedure" : "posts WM_TIMER") << "\n";
    return 0;
}

// WIN and `words` more: the window's program is asked `request` with those words.
Handler onWindowWith(std::string request, std::size_t words, std::ostream& out, std::ostream& err)
{
    return [request, words, &out, &err](const Words& a)
    {
        NeedWords(a, 1 + words);
        Words fields{request};
        fields.insert(fields.end(), a.begin() + 1, a.end());
        return onWindow(a[0], fields, out, err);
    };
}

// A handler of the words alone that writes to out and err.
Handler writing(int (*body)(const Words&, std::ostream&, std::ostream&), std::ostream& out,
                std::ostream& err)
{
    return [body, &out, &err](const Words& a) { return body(a, out, err); };
}

} // namespace

CommandTable UiCommands(std::ostream& out, std::ostream& err)
{
    auto row = [&](const Words& a)
    {
        if (a.size() == 4 && a[3] != "--double")
            throw UsageError{"unexpected argument '" + a[3] + "'"};
        NeedWords(a, 3, 4);
        NeedNumber(a[2], 0, 0x7FFFFFFF, "N");
        return onWindow(a[0], {"row", a[1], a[2], a.size() == 4 ? "1" : "0"}, out, err);
    };
    auto menu = [&](const Words& a)
    {
        NeedWords(a, 1);
        return runMenu(a[0], out, err);
    };
    auto list = [&](const Words& a)
    {
        NeedWords(a, 0);
        PrintProgramList(out);
        return 0;
    };
    return CommandTable{
        .path = "vnmachine ui",
        .commands =
            {
                {"list", {}, "programs, their windows and tray icons", list},
                {"show",
                 {"WIN [--all] [--rects]"},
                 "the window drawn as text (--json: its tree of controls)",
                 [&](const Words& a)
                 {
                     std::vector<std::string> fields = {"describe"};
                     Words names;
                     for (const std::string& word : a)
                         if (word == "--all" || word == "--rects")
                             fields.push_back(word.substr(2));
                         else
                             names.push_back(word);
                     NeedWords(names, 1);
                     return JsonOutput() ? PrintWindowTree(names[0], err)
                                         : onWindow(names[0], fields, out, err);
                 },
                 "show: the controls a person sees, hidden ones left out (--all: those too,\n"
                 "marked \"(hidden)\"); --rects: each line ends in its screen rectangle\n"
                 "\"@(X,Y WxH)\". Progress bars are drawn filled, list rows' images and icons\n"
                 "by their names.\n"},
                {"picture",
                 {"WIN FILE.png"},
                 "draw the window as a person sees it, into a PNG file",
                 writing(RunPicture, out, err),
                 kPictureHelp},
                {"click",
                 {"WIN CONTROL"},
                 "press a button, check box or radio",
                 onWindowWith("click", 1, out, err)},
                {"type",
                 {"WIN CONTROL TEXT"},
                 "type into an edit (then focus moves on)",
                 onWindowWith("type", 2, out, err)},
                {"settext",
                 {"WIN CONTROL TEXT"},
                 "set a control's text",
                 onWindowWith("settext", 2, out, err)},
                {"select",
                 {"WIN CONTROL ENTRY"},
                 "pick a combo or list entry (text or #N)",
                 onWindowWith("select", 2, out, err)},
                {"row",
                 {"WIN CONTROL N [--double]"},
                 "click (or double-click) a list-view row",
                 row},
                {"slide",
                 {"WIN CONTROL POS"},
                 "move a slider",
                 [&](const Words& a)
                 {
                     NeedWords(a, 3);
                     NeedNumber(a[2], -0x7FFFFFFF, 0x7FFFFFFF, "POS");
                     return onWindow(a[0], {"slide", a[1], a[2]}, out, err);
                 }},
                {"key", {"WIN enter|esc"}, "press Enter or Esc", onWindowWith("key", 1, out, err)},
                {"close", {"WIN"}, "the close box", onWindowWith("close", 0, out, err)},
                {"page",
                 {"WIN PAGE"},
                 "choose a property-sheet page (caption or #N)",
                 onWindowWith("page", 1, out, err)},
                {"timers",
                 {"WIN"},
                 "the window's timers: id and period",
                 writing(runTimers, out, err),
                 "timers: one line per timer, \"ID every PERIOD ms, posts WM_TIMER\" or \"...,\n"
                 "        calls its timer procedure\"; \"no timers\" when it has none.\n"},
                {"menu", {"ITEM|ID"}, "pick an item of the open popup menu", menu},
                {"sysmenu",
                 {"WIN ITEM|ID"},
                 "pick an item of the window's system menu",
                 onWindowWith("sysmenu", 1, out, err)},
                {"tray",
                 {"PROGRAM|PID right|double|left [UID]"},
                 "click a tray icon",
                 writing(runTray, out, err)},
                {"answer",
                 {"[WIN] BUTTON"},
                 "press a button of the message box (OK, Cancel, ...)",
                 writing(runAnswer, out, err)},
                {"start", {"PROGRAM [ARGS...]"}, "start a program", writing(runStart, out, err)},
                {"wait",
                 {"WIN [SECONDS]", "tray PROGRAM [--timeout SECONDS]",
                  "rows WIN CONTROL [N] [--timeout SECONDS]",
                  "text WIN CONTROL TEXT [--timeout SECONDS]"},
                 "wait for a window, a tray icon, rows of a list, a control's text",
                 [&](const Words& a) { return RunWait(a, out, err); },
                 "wait: SECONDS default 10; rows waits for at least N rows (default 1). Exit 1\n"
                 "      when it does not come in time.\n"},
            },
        .notes =
            std::string("WIN: a window handle or title; CONTROL: a control id or its text.\n") +
            kJsonHelp,
    };
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
    if (JsonOutput())
    {
        nlohmann::json programs = nlohmann::json::array();
        for (const auto& [pid, unused] : pids)
        {
            nlohmann::json ws = nlohmann::json::array(), tray = nlohmann::json::array();
            for (const auto& w : windows)
                if (w.pid == pid)
                    ws.push_back({{"hwnd", HandleText(w.hwnd)},
                                  {"title", machine::desktop::EscapeText(w.title)},
                                  {"class", machine::desktop::EscapeText(w.className)},
                                  {"visible", w.visible}});
            for (const auto& i : icons)
                if (i.pid == pid)
                {
                    nlohmann::json icon = {{"uid", i.uid},
                                           {"tip", machine::desktop::EscapeText(i.tip)},
                                           {"window", HandleText(i.hwnd)}};
                    if (i.iconResource != 0)
                        icon["icon"] = i.iconResource;
                    tray.push_back(std::move(icon));
                }
            programs.push_back(
                {{"pid", pid}, {"name", ProgramName(pid)}, {"windows", ws}, {"tray", tray}});
        }
        PrintJson({{"programs", programs}});
        return;
    }
    if (pids.empty())
        out << "no programs with windows are running\n";
    for (const auto& [pid, unused] : pids)
    {
        out << pid << " " << ProgramName(pid) << "\n";
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

int RunUiCommand(const Words& args)
{
    return UiCommands(std::cout, std::cerr).run(args);
}
