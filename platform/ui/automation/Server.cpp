#include "platform/ui/automation/Remote.h"

#include "machine/desktop/Automation.h"
#include "machine/desktop/Desktop.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"
#include "platform/ui/automation/Actions.h"
#include "platform/ui/automation/FormText.h"
#include "platform/ui/automation/Query.h"
#include "platform/ui/automation/WindowJson.h"
#include "platform/ui/internal/Hooks.h"
#include "platform/ui/menus/Menus.h"
#include "platform/ui/msgbox/MessageBox.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include <unistd.h>

namespace platform::automation
{
namespace
{

using namespace std::chrono_literals;

// How long a request waits for its window's thread to take it up.
constexpr auto kStartTimeout = 10s;
// How long the reply waits for the thread to settle after the action (posts it made).
constexpr auto kSettleTimeout = 2s;

struct Job
{
    std::function<std::string()> fn;
    std::mutex mutex;
    std::condition_variable cv;
    bool started = false;
    bool done = false;
    // The thread came to sleep after the job started: before it was done (in a modal loop the
    // action opened), or after (what the action posted has been dispatched).
    bool modal = false;
    bool settled = false;
    std::string reply;
};

std::mutex g_jobsLock;
std::map<UINT_PTR, std::shared_ptr<Job>>& jobs()
{
    static auto* map = new std::map<UINT_PTR, std::shared_ptr<Job>>;
    return *map;
}
// Timer ids of their own range, so they never meet a program's.
constexpr UINT_PTR kFirstJobTimer = 0x7A500000;
std::atomic<UINT_PTR> g_nextJob{kFirstJobTimer};

void CALLBACK runJob(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    KillTimer(hwnd, id);
    std::shared_ptr<Job> job;
    {
        std::lock_guard guard(g_jobsLock);
        auto it = jobs().find(id);
        if (it == jobs().end())
            return;
        job = it->second;
        jobs().erase(it);
    }
    {
        std::lock_guard guard(job->mutex);
        job->started = true;
    }
    // The next time the thread is about to sleep tells what became of the action.
    ui::AddIdleWatcher(
        [job]
        {
            {
                std::lock_guard guard(job->mutex);
                (job->done ? job->settled : job->modal) = true;
            }
            job->cv.notify_all();
            return true;
        });
    job->cv.notify_all();
    std::string reply = job->fn();
    {
        std::lock_guard guard(job->mutex);
        job->reply = std::move(reply);
        job->done = true;
    }
    job->cv.notify_all();
}

std::string errorReply(const std::string& message)
{
    return "error " + message + "\n";
}

std::string okReply(const std::string& message, const std::string& body = {})
{
    return "ok " + message + "\n" + body;
}

std::string fromResult(const ActionResult& r)
{
    return r.ok ? okReply(r.message) : errorReply(r.message);
}

// Runs fn on the thread that owns hwnd (through a one-shot timer of that window, which every
// message loop of the thread serves, modal ones included).
std::string onWindowThread(HWND hwnd, std::function<std::string()> fn)
{
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(hwnd, &pid);
    if (thread == 0 || pid != static_cast<DWORD>(::getpid()))
        return errorReply("no window " + HandleText(hwnd) + " in this program");
    auto job = std::make_shared<Job>();
    job->fn = std::move(fn);
    const UINT_PTR id = g_nextJob.fetch_add(1);
    {
        std::lock_guard guard(g_jobsLock);
        jobs()[id] = job;
    }
    if (SetTimer(hwnd, id, USER_TIMER_MINIMUM, runJob) == 0)
    {
        std::lock_guard guard(g_jobsLock);
        jobs().erase(id);
        return errorReply("the window is gone");
    }
    std::unique_lock lock(job->mutex);
    if (!job->cv.wait_for(lock, kStartTimeout, [&] { return job->started; }))
    {
        lock.unlock();
        bool taken;
        {
            std::lock_guard guard(g_jobsLock);
            taken = jobs().erase(id) == 0;
        }
        if (!taken)
        {
            KillTimer(hwnd, id);
            return errorReply("the program does not take requests (busy)");
        }
        lock.lock(); // it started meanwhile
    }
    job->cv.wait(lock, [&] { return job->done || job->modal; });
    if (!job->done)
    {
        // The action is still running on its thread, and that thread sleeps: it sits in a modal
        // loop the action opened, waiting for the person.
        return okReply("a modal window opened");
    }
    // What the action posted is dispatched before the reply goes.
    job->cv.wait_for(lock, kSettleTimeout, [&] { return job->settled; });
    return job->reply;
}

// What a wait for a control's state saw, shared by the window's thread, which looks, and the
// thread that answers.
struct ControlWait
{
    std::mutex mutex;
    std::condition_variable cv;
    bool met = false;
    bool cancelled = false;
    std::optional<ControlState> last;
};

// wait HWND CONTROL rows N MS | wait HWND CONTROL text TEXT MS: the reply comes when the control
// has at least N rows (or that text), or when MS pass first (an error). The window's thread looks
// once, then each time it has dispatched what came and is about to sleep: the state can only have
// changed then. Other requests are served meanwhile.
std::string waitForControl(HWND w, const std::string& control, const std::string& kind,
                           const std::string& value, const std::string& msText)
{
    char* end = nullptr;
    const long ms = std::strtol(msText.c_str(), &end, 10);
    const long least = kind == "rows" ? std::strtol(value.c_str(), nullptr, 10) : 0;
    if ((kind != "rows" && kind != "text") || msText.empty() || *end != '\0' || ms < 0)
        return errorReply("'wait' needs a window, a control, rows N or text TEXT, and the ms");
    auto wait = std::make_shared<ControlWait>();
    auto look = [w, control, kind, value, least, wait]
    {
        auto state = QueryControl(w, control);
        const bool met = state && (kind == "rows" ? state->rows >= least : state->text == value);
        {
            std::lock_guard guard(wait->mutex);
            if (wait->cancelled)
                return true;
            wait->last = std::move(state);
            wait->met = met;
        }
        if (met)
            wait->cv.notify_all();
        return met;
    };
    const std::string started = onWindowThread(w,
                                               [look]
                                               {
                                                   if (!look())
                                                       ui::AddIdleWatcher(look);
                                                   return okReply("waiting");
                                               });
    if (started.rfind("ok", 0) != 0)
        return started;
    std::unique_lock lock(wait->mutex);
    wait->cv.wait_for(lock, std::chrono::milliseconds(ms), [&] { return wait->met; });
    wait->cancelled = true;
    const std::string body = wait->last ? FormatControlState(*wait->last) : std::string();
    if (wait->met)
        return okReply("control", body);
    return errorReply(wait->last ? "not within the time" : "no control '" + control + "'") + body;
}

std::string field(const std::vector<std::string>& f, std::size_t i)
{
    return i < f.size() ? f[i] : std::string();
}

// The window's timers, one a line; the requests' own are not the program's and are left out.
std::string timersReply(HWND hwnd)
{
    DWORD pid = 0;
    if (GetWindowThreadProcessId(hwnd, &pid) == 0 || pid != static_cast<DWORD>(::getpid()))
        return errorReply("no window " + HandleText(hwnd) + " in this program");
    std::string body;
    for (const auto& t : platform::WindowTimers(hwnd))
        if (t.id < kFirstJobTimer)
            body += std::to_string(t.id) + "\t" + std::to_string(t.period) + "\t" +
                    (t.callback ? "callback" : "message") + "\n";
    return okReply("timers", body);
}

std::string handle(const std::vector<std::string>& f)
{
    const std::string verb = field(f, 0);
    if (verb == "menus")
    {
        std::string body;
        for (HWND h : OpenPopupMenus())
            body += HandleText(h) + "\n";
        return okReply("menus", body);
    }
    if (verb == "boxes")
    {
        std::string body;
        for (const auto& b : OpenMessageBoxes())
            body += HandleText(b.hwnd) + "\t" + machine::desktop::EscapeText(b.caption) + "\t" +
                    machine::desktop::EscapeText(b.text) + "\n";
        return okReply("boxes", body);
    }
    if (verb == "menu")
    {
        auto open = OpenPopupMenus();
        if (open.empty())
            return errorReply("no menu is open");
        const std::string item = field(f, 1);
        return onWindowThread(open.front(), [item] { return fromResult(PickMenu(item)); });
    }
    if (verb == "answer")
    {
        HWND box = ParseHandle(field(f, 1)).value_or(0);
        if (box == 0)
        {
            auto open = FindOpenMessageBox();
            if (!open)
                return errorReply("no message box is up");
            box = open->hwnd;
        }
        const std::string button = field(f, 2);
        return onWindowThread(box, [box, button] { return fromResult(AnswerBox(box, button)); });
    }

    auto target = ParseHandle(field(f, 1));
    if (!target || *target == 0)
        return errorReply("'" + verb + "' needs a window handle");
    const HWND w = *target;
    if (verb == "timers")
        return timersReply(w);
    const std::string a = field(f, 2), b = field(f, 3), c = field(f, 4);
    std::function<std::string()> fn;
    if (verb == "describe")
    {
        // "describe HWND [all] [rects]": hidden controls too, rectangles.
        FormOptions options;
        for (std::size_t i = 2; i < f.size(); ++i)
        {
            options.all = options.all || f[i] == "all";
            options.rects = options.rects || f[i] == "rects";
        }
        fn = [w, options] { return okReply("window", RenderWindow(w, options)); };
    }
    else if (verb == "tree")
        fn = [w] { return okReply("tree", WindowTreeJson(w) + "\n"); };
    else if (verb == "click")
        fn = [w, a] { return fromResult(Click(w, a)); };
    else if (verb == "mouseclick")
        fn = [w, a] { return fromResult(MouseClick(w, a)); };
    else if (verb == "type")
        fn = [w, a, b] { return fromResult(TypeText(w, a, b)); };
    else if (verb == "settext")
        fn = [w, a, b] { return fromResult(SetText(w, a, b)); };
    else if (verb == "select")
        fn = [w, a, b] { return fromResult(SelectEntry(w, a, b)); };
    else if (verb == "row")
        fn = [w, a, b, c] { return fromResult(PickRow(w, a, std::atoi(b.c_str()), c == "1")); };
    else if (verb == "slide")
        fn = [w, a, b] { return fromResult(Slide(w, a, std::atoi(b.c_str()))); };
    else if (verb == "key")
        fn = [w, a] { return fromResult(PressKey(w, a)); };
    else if (verb == "page")
        fn = [w, a] { return fromResult(SelectPage(w, a)); };
    else if (verb == "close")
        fn = [w] { return fromResult(CloseWindow(w)); };
    else if (verb == "control")
        fn = [w, a]
        {
            auto state = QueryControl(w, a);
            return state ? okReply("control", FormatControlState(*state))
                         : errorReply("no control '" + a + "'");
        };
    else if (verb == "wait")
        return waitForControl(w, a, b, c, field(f, 5));
    else if (verb == "sysmenu")
        fn = [w, a] { return fromResult(PickSystemMenu(w, a)); };
    else
        return errorReply("unknown request '" + verb + "'");
    return onWindowThread(w, std::move(fn));
}

// Linked in with the automation, the handler is installed before main.
const bool g_installed = (EnsureServing(), true);

} // namespace

void EnsureServing()
{
    machine::desktop::SetAutomationHandler(&HandleRequest);
}

std::string HandleRequest(const std::string& request)
{
    std::string line = request;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return handle(SplitRequest(line));
}

} // namespace platform::automation
