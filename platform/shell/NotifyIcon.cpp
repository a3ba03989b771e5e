#include "platform/shell/ShellApi.h"

#include "machine/desktop/Desktop.h"
#include "machine/desktop/Tray.h"
#include "platform/base/WinError.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/automation/Remote.h"
#include "platform/ui/gdi/Resources.h"

#include <unistd.h>

#include <atomic>
#include <cstring>
#include <exception>
#include <mutex>

namespace
{

std::mutex g_logLock;
std::vector<platform::TrayCall>& callLog()
{
    static auto* log = new std::vector<platform::TrayCall>;
    return *log;
}

std::string boundedTip(const NOTIFYICONDATAA& data)
{
    const std::size_t limit = data.cbSize == NOTIFYICONDATAA_V1_SIZE ? 64 : sizeof data.szTip;
    const void* end = std::memchr(data.szTip, '\0', limit);
    // An unterminated tip is cut to the field, keeping room for the terminator as the shell does.
    const std::size_t n = end != nullptr
                              ? static_cast<std::size_t>(static_cast<const CHAR*>(end) - data.szTip)
                              : limit - 1;
    return std::string(data.szTip, n);
}

void record(platform::TrayCall call)
{
    std::lock_guard guard(g_logLock);
    callLog().push_back(std::move(call));
}

} // namespace

BOOL Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA lpData)
{
    if (lpData == nullptr || dwMessage > NIM_DELETE ||
        (lpData->cbSize != NOTIFYICONDATAA_V1_SIZE && lpData->cbSize < sizeof(NOTIFYICONDATAA)))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::automation::EnsureServing(); // a person clicks the icon from the desktop
    platform::TrayCall call;
    call.command = dwMessage;
    call.hwnd = lpData->hWnd;
    call.uid = lpData->uID;
    call.flags = lpData->uFlags;
    if ((lpData->uFlags & NIF_MESSAGE) != 0)
        call.callbackMessage = lpData->uCallbackMessage;
    if ((lpData->uFlags & NIF_ICON) != 0)
        call.icon = lpData->hIcon;
    if ((lpData->uFlags & NIF_TIP) != 0)
        call.tip = boundedTip(*lpData);

    machine::desktop::TrayIcon icon;
    icon.hwnd = call.hwnd;
    icon.uid = call.uid;
    icon.callbackMessage = call.callbackMessage;
    icon.icon = call.icon;
    icon.iconResource = platform::IconResourceId(call.icon).value_or(0);
    icon.tip = call.tip;
    machine::desktop::TrayFields fields;
    fields.message = (call.flags & NIF_MESSAGE) != 0;
    fields.icon = (call.flags & NIF_ICON) != 0;
    fields.tip = (call.flags & NIF_TIP) != 0;

    auto outcome = machine::desktop::TrayOutcome::Failed;
    try
    {
        outcome = machine::desktop::ApplyTrayCommand(
            machine::CurrentMachine(), static_cast<machine::desktop::TrayCommand>(dwMessage), icon,
            fields);
    }
    catch (const std::exception&)
    {
    }
    call.result = outcome == machine::desktop::TrayOutcome::Done ? TRUE : FALSE;
    if (!call.result)
        SetLastError(ERROR_INVALID_PARAMETER); // what the shell leaves; callers look at the BOOL
    record(call);
    return call.result;
}

namespace platform
{

void InjectTrayRefusal(DWORD command, int count)
{
    if (command > NIM_DELETE)
        return;
    machine::desktop::InjectTrayRefusal(machine::CurrentMachine(),
                                        static_cast<machine::desktop::TrayCommand>(command), count);
}

std::vector<TrayCall> TrayCallLog()
{
    std::lock_guard guard(g_logLock);
    return callLog();
}

void ClearTrayCallLog()
{
    std::lock_guard guard(g_logLock);
    callLog().clear();
}

bool SendTrayMouseMessage(HWND hwnd, UINT uid, UINT mouseMessage)
{
    try
    {
        const machine::Machine& m = machine::CurrentMachine();
        auto icon = machine::desktop::FindTrayIcon(m, hwnd, uid);
        if (!icon || icon->callbackMessage == 0)
            return false;
        if (icon->pid == static_cast<int>(::getpid()))
            return PostMessageA(hwnd, icon->callbackMessage, uid,
                                static_cast<LPARAM>(mouseMessage)) != FALSE;
        machine::desktop::PostedMessage post;
        post.hwnd = hwnd;
        post.message = icon->callbackMessage;
        post.wParam = uid;
        post.lParam = static_cast<std::int32_t>(mouseMessage);
        return machine::desktop::PostToProcess(m, icon->pid, post);
    }
    catch (const std::exception&)
    {
        return false;
    }
}

bool ClickTrayIcon(HWND hwnd, UINT uid, TrayClick click)
{
    std::vector<UINT> sequence;
    switch (click)
    {
    case TrayClick::Left:
        sequence = {WM_LBUTTONDOWN, WM_LBUTTONUP};
        break;
    case TrayClick::Right:
        sequence = {WM_RBUTTONDOWN, WM_RBUTTONUP};
        break;
    case TrayClick::Double:
        sequence = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
        break;
    }
    for (UINT m : sequence)
        if (!SendTrayMouseMessage(hwnd, uid, m))
            return false;
    return true;
}

} // namespace platform
