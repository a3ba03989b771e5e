#include "platform/ui/internal/Hooks.h"

#include <atomic>
#include <memory>
#include <vector>

namespace platform::ui
{
namespace
{

struct PendingCreation
{
    CreationHook fn = nullptr;
    void* context = nullptr;
};

thread_local PendingCreation t_creation;
thread_local std::shared_ptr<std::function<void()>> t_idleHook;
thread_local std::vector<std::function<bool()>> t_idleWatchers;
std::atomic<WindowGoneListener> g_goneListener{nullptr};
std::atomic<PreTranslateFilter> g_preTranslate{nullptr};

} // namespace

void HookNextWindowCreation(CreationHook fn, void* context)
{
    t_creation = {fn, context};
}

void CancelWindowCreationHook()
{
    t_creation = {};
}

void RunWindowCreationHook(HWND hwnd)
{
    PendingCreation pending = t_creation;
    t_creation = {};
    if (pending.fn != nullptr)
        pending.fn(hwnd, pending.context);
}

void SetWindowGoneListener(WindowGoneListener fn)
{
    g_goneListener.store(fn);
}

void NotifyWindowGone(HWND hwnd)
{
    if (auto fn = g_goneListener.load())
        fn(hwnd);
}

void SetPreTranslateFilter(PreTranslateFilter fn)
{
    g_preTranslate.store(fn);
}

bool RunPreTranslateFilter(MSG* msg)
{
    auto fn = g_preTranslate.load();
    return fn != nullptr && fn(msg);
}

void AddIdleWatcher(std::function<bool()> watcher)
{
    t_idleWatchers.push_back(std::move(watcher));
}

void RunIdleWatchers()
{
    if (t_idleWatchers.empty())
        return;
    // Taken out while they run: a watcher may add another.
    std::vector<std::function<bool()>> watchers;
    watchers.swap(t_idleWatchers);
    std::vector<std::function<bool()>> kept;
    for (auto& watcher : watchers)
        if (!watcher())
            kept.push_back(std::move(watcher));
    for (auto& added : t_idleWatchers)
        kept.push_back(std::move(added));
    t_idleWatchers.swap(kept);
}

void SetThreadIdleHook(std::function<void()> hook)
{
    t_idleHook = hook ? std::make_shared<std::function<void()>>(std::move(hook)) : nullptr;
}

bool RunThreadIdleHook()
{
    // A copy keeps the hook alive while it runs, even when it replaces itself.
    auto hook = t_idleHook;
    if (!hook)
        return false;
    (*hook)();
    return true;
}

} // namespace platform::ui
