#include "tools/vnmachine/WaitCommand.h"

#include "machine/ChangeWatch.h"
#include "machine/Machine.h"
#include "machine/desktop/Desktop.h"
#include "machine/desktop/Tray.h"
#include "platform/ui/automation/Query.h"
#include "platform/ui/automation/Remote.h"
#include "tools/vnmachine/Arguments.h"
#include "tools/vnmachine/DesktopLookup.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <iostream>

namespace
{

using platform::automation::HandleText;

constexpr double kDefaultSeconds = 10.0;

// Seconds to wait: a number from 0 to a day.
double waitSeconds(const std::string& text)
{
    try
    {
        std::size_t used = 0;
        const double seconds = std::stod(text, &used);
        if (used == text.size() && seconds >= 0 && seconds <= 86400)
            return seconds;
    }
    catch (const std::exception&)
    {
    }
    throw UsageError{"SECONDS: '" + text + "' is not a number of seconds from 0 to 86400"};
}

// The words without "--timeout SECONDS", and the seconds it gave.
Words withoutTimeout(const Words& args, double& seconds)
{
    Words rest;
    for (std::size_t i = 0; i < args.size(); ++i)
        if (args[i] == "--timeout")
        {
            if (i + 1 == args.size())
                throw UsageError{"--timeout needs SECONDS"};
            seconds = waitSeconds(args[++i]);
        }
        else
            rest.push_back(args[i]);
    return rest;
}

using Clock = std::chrono::steady_clock;

Clock::time_point deadlineAfter(double seconds)
{
    return Clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000));
}

std::chrono::milliseconds left(Clock::time_point deadline)
{
    return std::max(std::chrono::milliseconds(0),
                    std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
}

using Arm = bool (*)(machine::ChangeWatch&, const machine::Machine&);

// Looks when `ready` may have come to hold: at first, then each time the folder `arm` watches
// changes, until it holds or the time is up. The watch is set afresh after each change, before
// the look: a folder not there at first is watched from where it will appear. Without a watch
// from the system, every 100 ms.
bool waitUntil(Clock::time_point deadline, Arm arm, const std::function<bool()>& ready)
{
    machine::ChangeWatch watch;
    for (;;)
    {
        watch.clear();
        const bool watched = arm(watch, machine::CurrentMachine());
        if (ready())
            return true;
        const auto rest = left(deadline);
        if (rest.count() == 0)
            return false;
        watch.wait(watched ? rest : std::min(rest, std::chrono::milliseconds(100)));
    }
}

// A window appears: the window directory changes.
bool waitForWindow(Clock::time_point deadline, const std::string& which,
                   std::optional<machine::desktop::TopLevelWindow>& found)
{
    return WaitForWindows(left(deadline), [&] { return (found = FindWindow(which)).has_value(); });
}

// What the program said of its control at the end of a wait.
struct ControlWaitEnd
{
    bool met = false;
    std::optional<platform::automation::ControlState> last; // none: no such control seen
};

// The program itself waits for its control's state (rows or text) and answers when it holds or
// the time is up: it alone knows when the control changes. A window that is not there yet is
// waited for first; a program that ends while waiting leaves the rest of the time to another
// window of that title.
ControlWaitEnd waitForControl(double seconds, const std::string& window, const std::string& control,
                              const std::string& kind, const std::string& value)
{
    const auto deadline = deadlineAfter(seconds);
    ControlWaitEnd end;
    for (;;)
    {
        std::optional<machine::desktop::TopLevelWindow> w;
        if (!waitForWindow(deadline, window, w))
            return end;
        const auto rest = left(deadline);
        auto r = platform::automation::AskProgram(
            w->pid,
            {"wait", HandleText(w->hwnd), control, kind, value, std::to_string(rest.count())},
            rest + std::chrono::seconds(15));
        if (auto state = platform::automation::ParseControlState(r.body))
            end.last = state;
        end.met = r.ok && r.message == "control";
        if (end.met || left(deadline).count() == 0)
            return end;
        // The window or its program went before the time was up: wait for its successor.
        WaitForWindows(left(deadline),
                       [&]
                       {
                           auto again = FindWindow(window);
                           return !again || again->hwnd != w->hwnd;
                       });
    }
}

} // namespace

bool WaitForWindows(std::chrono::milliseconds timeout, const std::function<bool()>& ready)
{
    return waitUntil(Clock::now() + timeout, machine::desktop::WatchWindows, ready);
}

int RunWait(const Words& input, std::ostream& out, std::ostream& err)
{
    double seconds = kDefaultSeconds;
    const Words a = withoutTimeout(input, seconds);
    NeedWords(a, 1, kAnyMoreWords);
    if (a[0] == "tray" && a.size() == 2)
    {
        std::optional<machine::desktop::TrayIcon> icon;
        if (waitUntil(deadlineAfter(seconds), machine::desktop::WatchTrayIcons,
                      [&] { return (icon = FindTrayIcon(a[1])).has_value(); }))
        {
            out << "tray icon " << icon->uid << " of " << a[1] << "\n";
            return 0;
        }
        err << "vnmachine: no tray icon of '" << a[1] << "' within " << seconds << " s\n";
        return 1;
    }
    if (a[0] == "rows" && (a.size() == 3 || a.size() == 4))
    {
        const long least = a.size() == 4 ? NeedNumber(a[3], 0, 0x7FFFFFFF, "N") : 1;
        const ControlWaitEnd end =
            waitForControl(seconds, a[1], a[2], "rows", std::to_string(least));
        if (end.met)
        {
            out << end.last->rows << " rows\n";
            return 0;
        }
        err << "vnmachine: "
            << (!end.last ? "no control '" + a[2] + "' in '" + a[1] + "'"
                          : std::to_string(end.last->rows) + " rows, not " + std::to_string(least))
            << " within " << seconds << " s\n";
        return 1;
    }
    if (a[0] == "text" && a.size() == 4)
    {
        const ControlWaitEnd end = waitForControl(seconds, a[1], a[2], "text", a[3]);
        if (end.met)
        {
            out << "text \"" << a[3] << "\"\n";
            return 0;
        }
        err << "vnmachine: the text of '" << a[2] << "' is \"" << (end.last ? end.last->text : "")
            << "\", not \"" << a[3] << "\" within " << seconds << " s\n";
        return 1;
    }
    // A window: WIN [SECONDS].
    NeedWords(a, 1, 2);
    if (a.size() == 2)
        seconds = waitSeconds(a[1]);
    std::optional<machine::desktop::TopLevelWindow> w;
    if (waitForWindow(deadlineAfter(seconds), a[0], w))
    {
        out << HandleText(w->hwnd) << "\n";
        return 0;
    }
    err << "vnmachine: no window '" << a[0] << "' within " << seconds << " s\n";
    return 1;
}
