#include "platform/ui/DialogTemplate.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/internal/WindowOps.h"
#include "platform/ui/internal/WindowTable.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <strings.h>

namespace platform
{
namespace
{

struct Templates
{
    std::mutex mutex;
    std::map<UINT, DialogTemplate> byId;
};

Templates& templates()
{
    static Templates* instance = new Templates;
    return *instance;
}

// The window long the dialog manager keeps the DM_SETDEFID id in (beside DWL_USER).
constexpr int kDefIdIndex = 0x7F00;

bool sameClass(HWND hwnd, const char* name)
{
    char buffer[64] = {};
    GetClassNameA(hwnd, buffer, sizeof buffer);
    return strcasecmp(buffer, name) == 0;
}

DWORD styleOf(HWND hwnd)
{
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

bool isButtonOfType(HWND hwnd, DWORD type)
{
    return sameClass(hwnd, "Button") && (styleOf(hwnd) & BS_TYPEMASK) == type;
}

std::vector<HWND> childrenOf(HWND hDlg)
{
    return ui::WindowTable::Instance().Children(hDlg);
}

void addItems(HWND hCtl, const DialogControl& c)
{
    if (c.items.empty())
        return;
    UINT message = 0;
    if (strcasecmp(c.className.c_str(), "ComboBox") == 0)
        message = CB_ADDSTRING;
    else if (strcasecmp(c.className.c_str(), "ListBox") == 0)
        message = LB_ADDSTRING;
    if (message == 0)
        return;
    for (const std::string& item : c.items)
    {
        PointerParam text(item.c_str());
        SendMessageA(hCtl, message, 0, text);
    }
}

} // namespace

void RegisterDialogTemplate(UINT id, DialogTemplate dialogTemplate)
{
    std::lock_guard lock(templates().mutex);
    templates().byId[id] = std::move(dialogTemplate);
}

std::optional<DialogTemplate> FindDialogTemplate(UINT id)
{
    std::lock_guard lock(templates().mutex);
    auto it = templates().byId.find(id);
    if (it == templates().byId.end())
        return std::nullopt;
    return it->second;
}

DialogTemplate DialogTemplateOrDefault(UINT id)
{
    if (auto found = FindDialogTemplate(id))
        return *found;
    return DialogTemplate{};
}

RECT DialogRectToPixels(const RECT& u)
{
    const LONG left = DialogUnitsToPixelsX(u.left);
    const LONG top = DialogUnitsToPixelsY(u.top);
    return RECT{left, top, left + DialogUnitsToPixelsX(u.right - u.left),
                top + DialogUnitsToPixelsY(u.bottom - u.top)};
}

HWND CreateDialogFromTemplate(const DialogTemplate& t, HWND hWndOwner, LPARAM initParam)
{
    const RECT r = DialogRectToPixels(t.rect);
    HWND hDlg =
        CreateWindowExA(t.exStyle, WC_DIALOG, t.caption.c_str(), t.style & ~WS_VISIBLE, r.left,
                        r.top, r.right - r.left, r.bottom - r.top, hWndOwner, 0, 0, nullptr);
    if (hDlg == 0)
        return 0;
    HWND firstTabStop = 0;
    for (const DialogControl& c : t.controls)
    {
        const RECT cr = DialogRectToPixels(c.rect);
        HWND hCtl = CreateWindowExA(c.exStyle, c.className.c_str(), c.text.c_str(),
                                    c.style | WS_CHILD, cr.left, cr.top, cr.right - cr.left,
                                    cr.bottom - cr.top, hDlg, static_cast<HMENU>(c.id), 0, nullptr);
        if (hCtl == 0)
        {
            DWORD error = GetLastError();
            DestroyWindow(hDlg);
            SetLastError(error);
            return 0;
        }
        addItems(hCtl, c);
        if (firstTabStop == 0 && (c.style & WS_TABSTOP) != 0 && (c.style & WS_DISABLED) == 0)
            firstTabStop = hCtl;
    }
    if (SendMessageA(hDlg, WM_INITDIALOG, firstTabStop, initParam) != 0 && firstTabStop != 0 &&
        IsWindow(firstTabStop))
        SetFocus(firstTabStop);
    if (IsWindow(hDlg) && (t.style & WS_VISIBLE) != 0 && !ui::IsDialogEnded(hDlg))
        ShowWindow(hDlg, SW_SHOWNORMAL);
    return IsWindow(hDlg) ? hDlg : 0;
}

UINT DialogDefaultIdSet(HWND hDlg)
{
    return static_cast<UINT>(GetWindowLongA(hDlg, kDefIdIndex));
}

void SetDialogDefaultId(HWND hDlg, UINT id)
{
    SetWindowLongA(hDlg, kDefIdIndex, static_cast<LONG>(id));
}

UINT DialogDefaultId(HWND hDlg)
{
    if (UINT id = DialogDefaultIdSet(hDlg); id != 0)
        return id;
    for (HWND child : childrenOf(hDlg))
        if (isButtonOfType(child, BS_DEFPUSHBUTTON))
            return static_cast<UINT>(GetDlgCtrlID(child));
    return IDOK;
}

} // namespace platform

BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    if (!platform::ui::SetDialogEnded(hDlg, nResult))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return TRUE;
}

namespace
{

// The dialog's default id, asked the way the platform asks (DM_GETDEFID), with the dialog
// manager's own answer when the window procedure gives none.
UINT defaultIdOf(HWND hDlg)
{
    const DWORD answer = static_cast<DWORD>(SendMessageA(hDlg, DM_GETDEFID, 0, 0));
    if (HIWORD(answer) == DC_HASDEFID)
        return LOWORD(answer);
    return platform::DialogDefaultId(hDlg);
}

void pressButton(HWND hDlg, int id)
{
    HWND hCtl = GetDlgItem(hDlg, id);
    if (hCtl != 0 && !IsWindowEnabled(hCtl))
        return;
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                 static_cast<LPARAM>(hCtl));
}

bool isInside(HWND hDlg, HWND hwnd)
{
    return hwnd == hDlg || IsChild(hDlg, hwnd);
}

bool canTakeFocus(HWND hwnd)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    return (style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

} // namespace

BOOL IsDialogMessageA(HWND hDlg, LPMSG lpMsg)
{
    if (lpMsg == nullptr || !IsWindow(hDlg) || !isInside(hDlg, lpMsg->hwnd))
        return FALSE;
    if (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_CHAR)
        return FALSE;
    const UINT key = static_cast<UINT>(lpMsg->wParam);
    if (key != VK_RETURN && key != VK_ESCAPE && key != VK_TAB)
        return FALSE;
    if (lpMsg->hwnd != hDlg)
    {
        const LRESULT code = SendMessageA(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, 0);
        if ((code & DLGC_WANTALLKEYS) != 0 || (key == VK_TAB && (code & DLGC_WANTTAB) != 0))
            return FALSE;
    }
    // The key's character comes after it; the key did the work.
    if (lpMsg->message == WM_CHAR)
        return TRUE;
    switch (key)
    {
    case VK_RETURN:
    {
        // A push button with the focus is the one Enter presses (it tells its own parent, which
        // is a page of the dialog when the dialog is a property sheet).
        HWND focus = GetFocus();
        if (focus != 0 && focus != hDlg && isInside(hDlg, focus) &&
            (platform::isButtonOfType(focus, BS_PUSHBUTTON) ||
             platform::isButtonOfType(focus, BS_DEFPUSHBUTTON)))
        {
            if (IsWindowEnabled(focus))
                SendMessageA(GetParent(focus), WM_COMMAND,
                             MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(focus)), BN_CLICKED),
                             static_cast<LPARAM>(focus));
        }
        else
            pressButton(hDlg, static_cast<int>(defaultIdOf(hDlg)));
        return TRUE;
    }
    case VK_ESCAPE:
        pressButton(hDlg, IDCANCEL);
        return TRUE;
    case VK_TAB:
    {
        // Within the dialog (or the page) that holds the focus.
        HWND focus = GetFocus();
        HWND container =
            (focus != 0 && focus != hDlg && isInside(hDlg, focus)) ? GetParent(focus) : hDlg;
        if (HWND next = GetNextDlgTabItem(container, focus, FALSE))
            SetFocus(next);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

UINT GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax)
{
    HWND hCtl = GetDlgItem(hDlg, nIDDlgItem);
    if (hCtl == 0)
    {
        if (lpString != nullptr && cchMax > 0)
            lpString[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(hCtl, lpString, cchMax));
}

BOOL SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString)
{
    HWND hCtl = GetDlgItem(hDlg, nIDDlgItem);
    return hCtl != 0 ? SetWindowTextA(hCtl, lpString) : FALSE;
}

UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned)
{
    if (lpTranslated != nullptr)
        *lpTranslated = FALSE;
    HWND hCtl = GetDlgItem(hDlg, nIDDlgItem);
    if (hCtl == 0)
        return 0;
    char buffer[64] = {};
    GetWindowTextA(hCtl, buffer, sizeof buffer);
    const char* p = buffer;
    while (*p == ' ' || *p == '\t')
        ++p;
    const char* end = p + std::strlen(p);
    while (end > p && (end[-1] == ' ' || end[-1] == '\t'))
        --end;
    long long value = 0;
    auto [ptr, ec] = std::from_chars(p, end, value);
    if (ec != std::errc{} || ptr != end || p == end)
        return 0;
    if (bSigned ? (value < INT32_MIN || value > INT32_MAX) : (value < 0 || value > UINT32_MAX))
        return 0;
    if (lpTranslated != nullptr)
        *lpTranslated = TRUE;
    return static_cast<UINT>(value);
}

BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned)
{
    const std::string text =
        bSigned ? std::to_string(static_cast<int>(uValue)) : std::to_string(uValue);
    return SetDlgItemTextA(hDlg, nIDDlgItem, text.c_str());
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    HWND hCtl = GetDlgItem(hDlg, nIDButton);
    if (hCtl == 0)
        return FALSE;
    SendMessageA(hCtl, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    HWND hCtl = GetDlgItem(hDlg, nIDButton);
    return hCtl != 0 ? static_cast<UINT>(SendMessageA(hCtl, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    bool found = false;
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
    {
        HWND hCtl = GetDlgItem(hDlg, id);
        if (hCtl == 0)
            continue;
        SendMessageA(hCtl, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
        found = found || id == nIDCheckButton;
    }
    return found ? TRUE : FALSE;
}

LRESULT SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    HWND hCtl = GetDlgItem(hDlg, nIDDlgItem);
    return hCtl != 0 ? SendMessageA(hCtl, Msg, wParam, lParam) : 0;
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    std::vector<HWND> children = platform::childrenOf(hDlg);
    if (bPrevious)
        std::reverse(children.begin(), children.end());
    auto start = std::find(children.begin(), children.end(), hCtl);
    const std::size_t n = children.size();
    const std::size_t first =
        start == children.end() ? 0 : static_cast<std::size_t>(start - children.begin()) + 1;
    for (std::size_t i = 0; i < n; ++i)
    {
        HWND candidate = children[(first + i) % n];
        if (canTakeFocus(candidate))
            return candidate;
    }
    return 0;
}

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    const std::vector<HWND> children = platform::childrenOf(hDlg);
    auto at = std::find(children.begin(), children.end(), hCtl);
    if (at == children.end())
        return 0;
    // The group: from the last WS_GROUP control at or before hCtl up to the next one.
    auto begin = at;
    while (begin != children.begin() && (platform::styleOf(*begin) & WS_GROUP) == 0)
        --begin;
    auto end = at + 1;
    while (end != children.end() && (platform::styleOf(*end) & WS_GROUP) == 0)
        ++end;
    std::vector<HWND> group(begin, end);
    if (bPrevious)
        std::reverse(group.begin(), group.end());
    auto pos = std::find(group.begin(), group.end(), hCtl);
    const std::size_t n = group.size();
    const std::size_t from = static_cast<std::size_t>(pos - group.begin());
    for (std::size_t i = 1; i <= n; ++i)
    {
        HWND candidate = group[(from + i) % n];
        const DWORD style = platform::styleOf(candidate);
        if ((style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0)
            return candidate;
    }
    return hCtl;
}

BOOL MapDialogRect(HWND, LPRECT lpRect)
{
    if (lpRect == nullptr)
        return FALSE;
    lpRect->left = platform::DialogUnitsToPixelsX(lpRect->left);
    lpRect->right = platform::DialogUnitsToPixelsX(lpRect->right);
    lpRect->top = platform::DialogUnitsToPixelsY(lpRect->top);
    lpRect->bottom = platform::DialogUnitsToPixelsY(lpRect->bottom);
    return TRUE;
}

LONG GetDialogBaseUnits()
{
    return static_cast<LONG>(MAKELONG(6, 13));
}
