#include "platform/ui/internal/DesktopLink.h"

#include "machine/desktop/Desktop.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/automation/Remote.h"
#include "platform/ui/internal/WindowTable.h"

#include <unistd.h>

#include <exception>

namespace platform::ui
{

HWND AllocateHandle()
{
    try
    {
        return machine::desktop::AllocateWindowHandle(machine::CurrentMachine());
    }
    catch (const std::exception&)
    {
        return 0;
    }
}

bool PublishToDirectory(HWND hwnd, const std::string& title, const std::string& className,
                        bool visible)
{
    try
    {
        machine::desktop::TopLevelWindow entry;
        entry.hwnd = hwnd;
        entry.title = title;
        entry.className = className;
        entry.visible = visible;
        return machine::desktop::PublishWindow(machine::CurrentMachine(), entry);
    }
    catch (const std::exception&)
    {
        return false;
    }
}

void WithdrawFromDirectory(HWND hwnd)
{
    try
    {
        machine::desktop::WithdrawWindow(machine::CurrentMachine(), hwnd);
    }
    catch (const std::exception&)
    {
    }
}

std::vector<ForeignWindow> ForeignWindows()
{
    std::vector<ForeignWindow> result;
    try
    {
        const int self = static_cast<int>(::getpid());
        for (auto& w : machine::desktop::ListWindows(machine::CurrentMachine()))
            if (w.pid != self)
                result.push_back({w.hwnd, w.pid, w.title, w.className, w.visible});
    }
    catch (const std::exception&)
    {
    }
    return result;
}

std::optional<ForeignWindow> FindForeignWindow(HWND hwnd)
{
    if (hwnd == 0)
        return std::nullopt;
    for (auto& w : ForeignWindows())
        if (w.hwnd == hwnd)
            return w;
    return std::nullopt;
}

bool PostToForeignWindow(const ForeignWindow& window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try
    {
        machine::desktop::PostedMessage post;
        post.hwnd = window.hwnd;
        post.message = message;
        post.wParam = wParam;
        post.lParam = lParam;
        return machine::desktop::PostToProcess(machine::CurrentMachine(), window.pid, post);
    }
    catch (const std::exception&)
    {
        return false;
    }
}

void EnsureReceiving()
{
    // Every process that has windows can be described and driven from outside.
    automation::EnsureServing();
    try
    {
        if (machine::desktop::IsReceiving())
            return;
        machine::desktop::StartReceiving(machine::CurrentMachine(),
                                         [](const machine::desktop::PostedMessage& post)
                                         {
                                             // Only windows of this process: a post never travels
                                             // on from here.
                                             if (WindowTable::Instance().Contains(post.hwnd))
                                                 PostMessageA(post.hwnd, post.message, post.wParam,
                                                              post.lParam);
                                         });
    }
    catch (const std::exception&)
    {
    }
}

} // namespace platform::ui
