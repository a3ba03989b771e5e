#include "tools/vnmachine/WaitCommand.h"

#include "platform/ui/automation/Query.h"
#include "platform/ui/automation/Remote.h"
#include "tools/vnmachine/Arguments.h"
#include "tools/vnmachine/DesktopLookup.h"

#include <chrono>
#include <functional>
#include <iostream>
#include <thread>

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

// Looks until `ready` holds or the time is up. What is waited on lives in other processes and
// tells no one when it changes, so the looks are spaced out: often at first, then every 100 ms.
bool waitUntil(double seconds, const std::function<bool()>& ready)
{
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    auto pause = std::chrono::milliseconds(10);
    for (;;)
    {
        if (ready())
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(100));
    }
}

// The control's state in the window, asked of its program; nullopt while there is none.
std::optional<platform::automation::ControlState> controlState(const std::string& window,
                                                               const std::string& control)
{
    auto w = FindWindow(window);
    if (!w)
        return std::nullopt;
    auto r = platform::automation::AskProgram(w->pid, {"control", HandleText(w->hwnd), control});
    return r.ok ? platform::automation::ParseControlState(r.body) : std::nullopt;
}

} // namespace

int RunWait(const Words& input, std::ostream& out, std::ostream& err)
{
    double seconds = kDefaultSeconds;
    const Words a = withoutTimeout(input, seconds);
    NeedWords(a, 1, kAnyMoreWords);
    if (a[0] == "tray" && a.size() == 2)
    {
        std::optional<machine::desktop::TrayIcon> icon;
        if (waitUntil(seconds, [&] { return (icon = FindTrayIcon(a[1])).has_value(); }))
        {
            out << "tray icon " << icon->uid << " of " << a[1] << "\n";
            return 0;
        }
        err << "vnmachine: no tray icon of '" << a[1] << "' within " << seconds << " s\n";
        return 1;
    }
    if (a[0] == "rows" && (a.size() == 3 || a.size() == 4))
    {
        const int least =
            a.size() == 4 ? static_cast<int>(NeedNumber(a[3], 0, 0x7FFFFFFF, "N")) : 1;
        int rows = -1;
        if (waitUntil(seconds,
                      [&]
                      {
                          auto state = controlState(a[1], a[2]);
                          rows = state ? state->rows : -1;
                          return rows >= least;
                      }))
        {
            out << rows << " rows\n";
            return 0;
        }
        err << "vnmachine: "
            << (rows < 0 ? "no control '" + a[2] + "' in '" + a[1] + "'"
                         : std::to_string(rows) + " rows, not " + std::to_string(least))
            << " within " << seconds << " s\n";
        return 1;
    }
    if (a[0] == "text" && a.size() == 4)
    {
        std::string seen;
        if (waitUntil(seconds,
                      [&]
                      {
                          auto state = controlState(a[1], a[2]);
                          seen = state ? state->text : std::string();
                          return state && state->text == a[3];
                      }))
        {
            out << "text \"" << a[3] << "\"\n";
            return 0;
        }
        err << "vnmachine: the text of '" << a[2] << "' is \"" << seen << "\", not \"" << a[3]
            << "\" within " << seconds << " s\n";
        return 1;
    }
    // A window: WIN [SECONDS].
    NeedWords(a, 1, 2);
    if (a.size() == 2)
        seconds = waitSeconds(a[1]);
    std::optional<machine::desktop::TopLevelWindow> w;
    if (waitUntil(seconds, [&] { return (w = FindWindow(a[0])).has_value(); }))
    {
        out << HandleText(w->hwnd) << "\n";
        return 0;
    }
    err << "vnmachine: no window '" << a[0] << "' within " << seconds << " s\n";
    return 1;
}
