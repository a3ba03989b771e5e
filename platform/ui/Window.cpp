#include "platform/ui/Window.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/internal/DesktopLink.h"
#include "platform/ui/internal/Hooks.h"
#include "platform/ui/internal/ThreadQueue.h"
#include "platform/ui/internal/WindowOps.h"
#include "platform/ui/internal/WindowTable.h"

#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>

using platform::ui::WindowRecord;
using platform::ui::WindowTable;

inline constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;
inline constexpr DWORD ERROR_CONTROL_ID_NOT_FOUND = 1421;
inline constexpr DWORD ERROR_INVALID_INDEX = 1413;

namespace
{

WindowTable& table()
{
    return WindowTable::Instance();
}

std::atomic<HWND> g_activeWindow{0};
std::atomic<HWND> g_foregroundWindow{0};

void republish(HWND hwnd)
{
    auto r = table().Get(hwnd);
    if (r && r->published)
        platform::ui::PublishToDirectory(hwnd, r->title, r->className,
                                         (r->style & WS_VISIBLE) != 0);
}

HWND topLevelAncestor(HWND hwnd)
{
    for (;;)
    {
        auto r = table().Get(hwnd);
        if (!r || !r->isChild())
            return hwnd;
        hwnd = r->parent;
    }
}

// The screen position of the window's client area origin: a child's rectangle is in its
// parent's client coordinates, so the chain up to the top-level window adds up.
std::optional<POINT> clientOrigin(HWND hwnd)
{
    POINT origin{0, 0};
    for (HWND h = hwnd;;)
    {
        auto r = table().Get(h);
        if (!r)
            return std::nullopt;
        origin.x += r->rect.left + r->clientInset.left;
        origin.y += r->rect.top + r->clientInset.top;
        if (!r->isChild())
            return origin;
        h = r->parent;
    }
}

void offsetRect(RECT& rect, LONG dx, LONG dy)
{
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
}

// Asks the window for its client area within rect (its new rectangle, in its parent's client
// coordinates) and keeps what it leaves as the nonclient area on each side.
void calcClientArea(HWND hwnd, BOOL full, NCCALCSIZE_PARAMS& params)
{
    const RECT window = params.rgrc[0];
    {
        platform::PointerParam token(&params);
        SendMessageA(hwnd, WM_NCCALCSIZE, full, token);
    }
    const RECT& client = params.rgrc[0];
    table().Update(hwnd,
                   [&](WindowRecord& r)
                   {
                       // A client area is never larger than the window.
                       r.clientInset.left = std::max<LONG>(0, client.left - window.left);
                       r.clientInset.top = std::max<LONG>(0, client.top - window.top);
                       r.clientInset.right = std::max<LONG>(0, window.right - client.right);
                       r.clientInset.bottom = std::max<LONG>(0, window.bottom - client.bottom);
                   });
}

bool sameText(LPCSTR wanted, const std::string& actual)
{
    return wanted == nullptr || ::strcasecmp(wanted, actual.c_str()) == 0;
}

int copyText(const std::string& text, LPSTR buffer, int size)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    const int n = std::min<int>(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

void clearReferences(HWND hwnd)
{
    HWND expected = hwnd;
    g_activeWindow.compare_exchange_strong(expected, 0);
    expected = hwnd;
    g_foregroundWindow.compare_exchange_strong(expected, 0);
}

// The last messages of a window, then it is gone.
void finishDestroy(HWND hwnd)
{
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    auto r = table().Get(hwnd);
    if (!r)
        return;
    if (auto queue = platform::ui::FindQueue(r->threadId))
    {
        queue->KillWindowTimers(hwnd);
        queue->RemovePaint(hwnd);
        if (queue->threadId() == platform::ui::CurrentThreadId() && queue->focus == hwnd)
            queue->focus = 0;
    }
    table().Remove(hwnd);
    clearReferences(hwnd);
    if (r->published)
        platform::ui::WithdrawFromDirectory(hwnd);
    platform::ui::NotifyWindowGone(hwnd);
}

void destroyTree(HWND hwnd)
{
    table().Update(hwnd, [](WindowRecord& r) { r.destroying = true; });
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : table().Children(hwnd))
        destroyTree(child);
    finishDestroy(hwnd);
}

} // namespace

namespace platform::ui
{

std::optional<std::string> WindowTitle(HWND hwnd)
{
    auto r = table().Get(hwnd);
    if (!r)
        return std::nullopt;
    return r->title;
}

bool SetWindowTitle(HWND hwnd, const std::string& title)
{
    bool changed = false;
    if (!table().Update(hwnd,
                        [&](WindowRecord& r)
                        {
                            changed = r.title != title;
                            r.title = title;
                        }))
        return false;
    if (changed)
        republish(hwnd);
    return true;
}

bool InvalidateWindow(HWND hwnd)
{
    auto r = table().Get(hwnd);
    if (!r)
        return false;
    // Hidden windows are not painted; showing them invalidates them.
    if ((r->style & WS_VISIBLE) != 0)
        if (auto queue = FindQueue(r->threadId))
            queue->AddPaint(hwnd);
    return true;
}

void ValidateWindow(HWND hwnd)
{
    auto r = table().Get(hwnd);
    if (!r)
        return;
    if (auto queue = FindQueue(r->threadId))
        queue->RemovePaint(hwnd);
}

bool WindowNeedsPaint(HWND hwnd)
{
    auto r = table().Get(hwnd);
    if (!r)
        return false;
    auto queue = FindQueue(r->threadId);
    return queue && queue->NeedsPaint(hwnd);
}

bool IsLocalHandle(HWND hwnd)
{
    return table().EverHeld(hwnd);
}

bool SetDialogEnded(HWND hwnd, INT_PTR result)
{
    return table().Update(hwnd,
                          [&](WindowRecord& r)
                          {
                              r.dialogEnded = true;
                              r.dialogResult = result;
                          });
}

bool IsDialogEnded(HWND hwnd)
{
    auto r = table().Get(hwnd);
    return r && r->dialogEnded;
}

HICON SetWindowIcon(HWND hwnd, bool big, HICON icon)
{
    HICON previous = 0;
    table().Update(hwnd,
                   [&](WindowRecord& r)
                   {
                       HICON& slot = big ? r.iconBig : r.iconSmall;
                       previous = slot;
                       slot = icon;
                   });
    return previous;
}

HICON GetWindowIcon(HWND hwnd, bool big)
{
    auto r = table().Get(hwnd);
    return r ? (big ? r->iconBig : r->iconSmall) : 0;
}

HFONT SetWindowFont(HWND hwnd, HFONT font)
{
    HFONT previous = 0;
    table().Update(hwnd,
                   [&](WindowRecord& r)
                   {
                       previous = r.font;
                       r.font = font;
                   });
    return previous;
}

HFONT GetWindowFont(HWND hwnd)
{
    auto r = table().Get(hwnd);
    return r ? r->font : 0;
}

} // namespace platform::ui

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam)
{
    auto cls = platform::FindWindowClass(lpClassName != nullptr ? lpClassName : "");
    if (!cls)
    {
        platform::ui::CancelWindowCreationHook();
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return 0;
    }
    const bool child = (dwStyle & WS_CHILD) != 0;
    HWND parent = 0;
    if (hWndParent != 0 && !table().Contains(hWndParent))
    {
        platform::ui::CancelWindowCreationHook();
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (child)
    {
        if (hWndParent == 0)
        {
            platform::ui::CancelWindowCreationHook();
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return 0;
        }
        parent = hWndParent;
    }
    else if (hWndParent != 0)
        parent = topLevelAncestor(hWndParent); // owners are always top-level windows

    auto queue = platform::ui::CurrentQueue();
    HWND hwnd = platform::ui::AllocateHandle();
    if (hwnd == 0)
    {
        platform::ui::CancelWindowCreationHook();
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }

    auto coordinate = [](int v) { return v == CW_USEDEFAULT ? 0 : v; };
    WindowRecord record;
    record.hwnd = hwnd;
    record.threadId = queue->threadId();
    record.className = cls->name;
    record.proc = cls->proc;
    record.title = lpWindowName != nullptr ? lpWindowName : "";
    record.style = dwStyle & ~WS_VISIBLE;
    record.exStyle = dwExStyle;
    record.parent = parent;
    record.id = child ? static_cast<UINT>(hMenu) : 0;
    record.rect.left = coordinate(X);
    record.rect.top = coordinate(Y);
    record.rect.right = record.rect.left + coordinate(nWidth);
    record.rect.bottom = record.rect.top + coordinate(nHeight);
    table().Insert(std::move(record));

    platform::ui::RunWindowCreationHook(hwnd);

    CREATESTRUCTA cs{lpParam,
                     hInstance,
                     hMenu,
                     hWndParent,
                     nHeight,
                     nWidth,
                     Y,
                     X,
                     static_cast<LONG>(dwStyle),
                     lpWindowName,
                     lpClassName,
                     dwExStyle};
    platform::PointerParam csParam(&cs);
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, csParam))
    {
        if (table().Contains(hwnd))
            finishDestroy(hwnd);
        return 0;
    }
    if (auto r = table().Get(hwnd))
    {
        NCCALCSIZE_PARAMS params{};
        params.rgrc[0] = r->rect;
        calcClientArea(hwnd, FALSE, params);
    }
    if (!table().Contains(hwnd)) // destroyed while being created
        return 0;
    if (SendMessageA(hwnd, WM_CREATE, 0, csParam) == -1)
    {
        DestroyWindow(hwnd);
        return 0;
    }
    if (!table().Contains(hwnd)) // destroyed while being created
        return 0;
    if ((dwStyle & WS_VISIBLE) != 0)
        ShowWindow(hwnd, SW_SHOW);
    if (!child)
    {
        auto r = table().Get(hwnd);
        if (r)
        {
            // Receiving first: a window that others can find must take their posts.
            platform::ui::EnsureReceiving();
            table().Update(hwnd, [](WindowRecord& w) { w.published = true; });
            platform::ui::PublishToDirectory(hwnd, r->title, r->className,
                                             (r->style & WS_VISIBLE) != 0);
        }
    }
    return table().Contains(hwnd) ? hwnd : 0;
}

BOOL DestroyWindow(HWND hWnd)
{
    auto r = table().Get(hWnd);
    if (!r)
    {
        SetLastError(platform::ui::IsLocalHandle(hWnd) || !platform::ui::FindForeignWindow(hWnd)
                         ? ERROR_INVALID_WINDOW_HANDLE
                         : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (r->threadId != platform::ui::CurrentThreadId())
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (r->destroying)
        return TRUE;
    table().Update(hWnd, [](WindowRecord& w) { w.destroying = true; });
    for (HWND owned : table().OwnedBy(hWnd))
    {
        auto o = table().Get(owned);
        if (o && o->threadId == r->threadId)
            DestroyWindow(owned);
    }
    // A window is hidden before it goes.
    if ((r->style & WS_VISIBLE) != 0)
    {
        table().Update(hWnd, [](WindowRecord& w) { w.style &= ~WS_VISIBLE; });
        if (auto queue = platform::ui::FindQueue(r->threadId))
            queue->RemovePaint(hWnd);
        republish(hWnd);
    }
    destroyTree(hWnd);
    return TRUE;
}

BOOL IsWindow(HWND hWnd)
{
    if (hWnd == 0)
        return FALSE;
    if (table().Contains(hWnd))
        return TRUE;
    if (platform::ui::IsLocalHandle(hWnd))
        return FALSE;
    return platform::ui::FindForeignWindow(hWnd) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hWnd)
{
    if (!table().Contains(hWnd))
    {
        if (platform::ui::IsLocalHandle(hWnd))
            return FALSE;
        auto f = platform::ui::FindForeignWindow(hWnd);
        return f && f->visible ? TRUE : FALSE;
    }
    // Visible when it and every parent has the style.
    for (HWND h = hWnd;;)
    {
        auto r = table().Get(h);
        if (!r || (r->style & WS_VISIBLE) == 0)
            return FALSE;
        if (!r->isChild())
            return TRUE;
        h = r->parent;
    }
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    if (auto title = platform::ui::WindowTitle(hWnd))
        return copyText(*title, lpString, nMaxCount);
    if (!platform::ui::IsLocalHandle(hWnd))
        if (auto f = platform::ui::FindForeignWindow(hWnd))
            return copyText(f->title, lpString, nMaxCount);
    if (lpString != nullptr && nMaxCount > 0)
        *lpString = '\0';
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
}

int GetWindowTextLengthA(HWND hWnd)
{
    if (auto title = platform::ui::WindowTitle(hWnd))
        return static_cast<int>(title->size());
    if (!platform::ui::IsLocalHandle(hWnd))
        if (auto f = platform::ui::FindForeignWindow(hWnd))
            return static_cast<int>(f->title.size());
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
}

int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    if (auto r = table().Get(hWnd))
        return copyText(r->className, lpClassName, nMaxCount);
    if (!platform::ui::IsLocalHandle(hWnd))
        if (auto f = platform::ui::FindForeignWindow(hWnd))
            return copyText(f->className, lpClassName, nMaxCount);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId)
{
    if (auto r = table().Get(hWnd))
    {
        if (lpdwProcessId != nullptr)
            *lpdwProcessId = static_cast<DWORD>(::getpid());
        return r->threadId;
    }
    if (!platform::ui::IsLocalHandle(hWnd))
        if (auto f = platform::ui::FindForeignWindow(hWnd))
        {
            if (lpdwProcessId != nullptr)
                *lpdwProcessId = static_cast<DWORD>(f->pid);
            // The directory does not say which thread; the main thread's id is the process's.
            return static_cast<DWORD>(f->pid);
        }
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
}

HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName)
{
    auto local = table().FindFirst(
        [&](const WindowRecord& r)
        {
            return !r.isChild() && !r.destroying && sameText(lpClassName, r.className) &&
                   sameText(lpWindowName, r.title);
        });
    if (local)
        return local->hwnd;
    for (auto& f : platform::ui::ForeignWindows())
        if (sameText(lpClassName, f.className) && sameText(lpWindowName, f.title))
            return f.hwnd;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
}

BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    if (lpEnumFunc == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    for (HWND h : table().TopLevel())
        if (table().Contains(h) && !lpEnumFunc(h, lParam))
            return FALSE;
    for (auto& f : platform::ui::ForeignWindows())
        if (!lpEnumFunc(f.hwnd, lParam))
            return FALSE;
    return TRUE;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    auto r = table().Get(hWnd);
    if (!r)
        return IsWindow(hWnd);
    return (r->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    auto r = table().Get(hWnd);
    if (!r)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const bool wasVisible = (r->style & WS_VISIBLE) != 0;
    bool show = true;
    DWORD set = 0, clear = 0;
    switch (nCmdShow)
    {
    case SW_HIDE:
        show = false;
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        set = WS_MINIMIZE;
        clear = WS_MAXIMIZE;
        break;
    case SW_MAXIMIZE:
        set = WS_MAXIMIZE;
        clear = WS_MINIMIZE;
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        clear = WS_MINIMIZE | WS_MAXIMIZE;
        break;
    default: // SW_SHOW, SW_SHOWNA, SW_SHOWNOACTIVATE
        break;
    }
    if (show != wasVisible)
        SendMessageA(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    DWORD before = 0, after = 0;
    if (!table().Update(hWnd,
                        [&](WindowRecord& w)
                        {
                            before = w.style;
                            w.style = (w.style & ~clear) | set;
                            w.style = show ? (w.style | WS_VISIBLE) : (w.style & ~WS_VISIBLE);
                            after = w.style;
                        }))
        return wasVisible ? TRUE : FALSE;
    if (show && !wasVisible)
        platform::ui::InvalidateWindow(hWnd);
    if (!show)
        platform::ui::ValidateWindow(hWnd);
    if (before != after)
        republish(hWnd);
    return wasVisible ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    auto r = table().Get(hWnd);
    if (!r)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const bool wasDisabled = (r->style & WS_DISABLED) != 0;
    if (wasDisabled == (bEnable == FALSE))
        return wasDisabled ? TRUE : FALSE;
    table().Update(hWnd, [&](WindowRecord& w)
                   { w.style = bEnable ? (w.style & ~WS_DISABLED) : (w.style | WS_DISABLED); });
    SendMessageA(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsIconic(HWND hWnd)
{
    auto r = table().Get(hWnd);
    return r && (r->style & WS_MINIMIZE) != 0 ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd)
{
    auto r = table().Get(hWnd);
    return r && (r->style & WS_MAXIMIZE) != 0 ? TRUE : FALSE;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString)
{
    if (!table().Contains(hWnd))
    {
        SetLastError(IsWindow(hWnd) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    platform::PointerParam text(lpString != nullptr ? lpString : "");
    return SendMessageA(hWnd, WM_SETTEXT, 0, text) != 0 ? TRUE : FALSE;
}

HWND GetParent(HWND hWnd)
{
    auto r = table().Get(hWnd);
    if (!r)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (r->isChild() || (r->style & WS_POPUP) != 0)
        return r->parent;
    return 0;
}

BOOL IsChild(HWND hWndParent, HWND hWnd)
{
    for (auto r = table().Get(hWnd); r && r->isChild(); r = table().Get(r->parent))
        if (r->parent == hWndParent)
            return TRUE;
    return FALSE;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    for (HWND child : table().Children(hDlg))
    {
        auto r = table().Get(child);
        if (r && static_cast<int>(r->id) == nIDDlgItem)
            return child;
    }
    SetLastError(table().Contains(hDlg) ? ERROR_CONTROL_ID_NOT_FOUND : ERROR_INVALID_WINDOW_HANDLE);
    return 0;
}

int GetDlgCtrlID(HWND hWnd)
{
    auto r = table().Get(hWnd);
    if (!r)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return r->isChild() ? static_cast<int>(r->id) : 0;
}

LONG GetWindowLongA(HWND hWnd, int nIndex)
{
    auto r = table().Get(hWnd);
    if (!r)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (nIndex)
    {
    case GWL_STYLE:
        return static_cast<LONG>(r->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(r->exStyle);
    case GWL_ID:
        return static_cast<LONG>(r->id);
    case GWL_USERDATA:
        return r->userData;
    case GWL_HWNDPARENT:
        return static_cast<LONG>(r->parent);
    case GWL_HINSTANCE:
        return 0;
    default:
        if (nIndex >= 0)
        {
            auto it = r->extra.find(nIndex);
            return it == r->extra.end() ? 0 : it->second;
        }
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong)
{
    if (nIndex == GWL_WNDPROC || nIndex == GWL_HINSTANCE)
    {
        // A procedure does not fit into 32 bits: platform::SetWindowProc subclasses.
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    LONG previous = 0;
    bool valid = true;
    bool visibilityChanged = false;
    if (!table().Update(hWnd,
                        [&](WindowRecord& r)
                        {
                            switch (nIndex)
                            {
                            case GWL_STYLE:
                                previous = static_cast<LONG>(r.style);
                                visibilityChanged =
                                    ((r.style ^ static_cast<DWORD>(dwNewLong)) & WS_VISIBLE) != 0;
                                r.style = static_cast<DWORD>(dwNewLong);
                                break;
                            case GWL_EXSTYLE:
                                previous = static_cast<LONG>(r.exStyle);
                                r.exStyle = static_cast<DWORD>(dwNewLong);
                                break;
                            case GWL_ID:
                                previous = static_cast<LONG>(r.id);
                                r.id = static_cast<UINT>(dwNewLong);
                                break;
                            case GWL_USERDATA:
                                previous = r.userData;
                                r.userData = dwNewLong;
                                break;
                            case GWL_HWNDPARENT:
                                previous = static_cast<LONG>(r.parent);
                                r.parent = static_cast<HWND>(dwNewLong);
                                break;
                            default:
                                if (nIndex >= 0)
                                {
                                    previous = r.extra[nIndex];
                                    r.extra[nIndex] = dwNewLong;
                                }
                                else
                                    valid = false;
                            }
                        }))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (!valid)
    {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (visibilityChanged)
        republish(hWnd);
    return previous;
}

HWND SetFocus(HWND hWnd)
{
    if (hWnd != 0 && !table().Contains(hWnd))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    auto queue = platform::ui::CurrentQueue();
    HWND previous = queue->focus;
    if (previous == hWnd)
        return previous;
    queue->focus = hWnd;
    if (previous != 0 && table().Contains(previous))
        SendMessageA(previous, WM_KILLFOCUS, hWnd, 0);
    if (hWnd != 0 && queue->focus == hWnd)
        SendMessageA(hWnd, WM_SETFOCUS, previous, 0);
    return previous;
}

HWND GetFocus()
{
    auto queue = platform::ui::CurrentQueueIfAny();
    return queue ? queue->focus : 0;
}

HWND GetActiveWindow()
{
    return g_activeWindow.load();
}

HWND SetActiveWindow(HWND hWnd)
{
    if (hWnd != 0 && !table().Contains(hWnd))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return g_activeWindow.exchange(hWnd != 0 ? topLevelAncestor(hWnd) : 0);
}

BOOL SetForegroundWindow(HWND hWnd)
{
    if (!table().Contains(hWnd))
        return FALSE;
    HWND top = topLevelAncestor(hWnd);
    g_foregroundWindow.store(top);
    g_activeWindow.store(top);
    return TRUE;
}

HWND GetForegroundWindow()
{
    return g_foregroundWindow.load();
}

BOOL BringWindowToTop(HWND hWnd)
{
    return table().Contains(hWnd) ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    auto r = table().Get(hWnd);
    if (!r || lpRect == nullptr)
    {
        SetLastError(r ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    RECT rect = r->rect;
    if (r->isChild())
    {
        auto origin = clientOrigin(r->parent);
        if (!origin)
        {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        offsetRect(rect, origin->x, origin->y);
    }
    *lpRect = rect;
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    auto r = table().Get(hWnd);
    if (!r || lpRect == nullptr)
    {
        SetLastError(r ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const RECT& w = r->rect;
    const RECT& inset = r->clientInset;
    *lpRect = RECT{0, 0, std::max<LONG>(0, w.right - w.left - inset.left - inset.right),
                   std::max<LONG>(0, w.bottom - w.top - inset.top - inset.bottom)};
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    auto origin = clientOrigin(hWnd);
    if (!origin || lpPoint == nullptr)
    {
        SetLastError(origin ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    lpPoint->x -= origin->x;
    lpPoint->y -= origin->y;
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    auto origin = clientOrigin(hWnd);
    if (!origin || lpPoint == nullptr)
    {
        SetLastError(origin ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    lpPoint->x += origin->x;
    lpPoint->y += origin->y;
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    auto from = hWndFrom == 0 ? std::optional<POINT>(POINT{0, 0}) : clientOrigin(hWndFrom);
    auto to = hWndTo == 0 ? std::optional<POINT>(POINT{0, 0}) : clientOrigin(hWndTo);
    if (!from || !to || (lpPoints == nullptr && cPoints != 0))
    {
        SetLastError(from && to ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const LONG dx = from->x - to->x;
    const LONG dy = from->y - to->y;
    for (UINT i = 0; i < cPoints; ++i)
    {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    return SetWindowPos(hWnd, 0, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    RECT before{}, after{}, inset{};
    if (!table().Update(hWnd,
                        [&](WindowRecord& r)
                        {
                            before = r.rect;
                            inset = r.clientInset;
                            const LONG width = r.rect.right - r.rect.left;
                            const LONG height = r.rect.bottom - r.rect.top;
                            if ((uFlags & SWP_NOMOVE) == 0)
                            {
                                r.rect.left = X;
                                r.rect.top = Y;
                            }
                            r.rect.right = r.rect.left + ((uFlags & SWP_NOSIZE) == 0 ? cx : width);
                            r.rect.bottom = r.rect.top + ((uFlags & SWP_NOSIZE) == 0 ? cy : height);
                            after = r.rect;
                        }))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if ((uFlags & SWP_FRAMECHANGED) != 0)
    {
        WINDOWPOS pos{hWnd,      hWndInsertAfter,          after.left,
                      after.top, after.right - after.left, after.bottom - after.top,
                      uFlags};
        NCCALCSIZE_PARAMS params{};
        params.rgrc[0] = after;
        params.rgrc[1] = before;
        params.rgrc[2] = RECT{before.left + inset.left, before.top + inset.top,
                              before.right - inset.right, before.bottom - inset.bottom};
        params.lppos = &pos;
        calcClientArea(hWnd, TRUE, params);
        if (!table().Contains(hWnd))
            return TRUE;
    }
    if ((uFlags & SWP_SHOWWINDOW) != 0)
        ShowWindow(hWnd, SW_SHOWNA);
    else if ((uFlags & SWP_HIDEWINDOW) != 0)
        ShowWindow(hWnd, SW_HIDE);
    return TRUE;
}

namespace platform
{

WNDPROC GetWindowProc(HWND hWnd)
{
    auto r = table().Get(hWnd);
    return r ? r->proc : nullptr;
}

WNDPROC SetWindowProc(HWND hWnd, WNDPROC proc)
{
    WNDPROC previous = nullptr;
    table().Update(hWnd,
                   [&](ui::WindowRecord& r)
                   {
                       previous = r.proc;
                       r.proc = proc;
                   });
    return previous;
}

std::size_t WindowCount()
{
    return table().Count();
}

} // namespace platform
