#include "platform/ui/controls/UserActions.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/controls/ControlNotify.h"

#include <algorithm>

namespace platform
{
namespace
{

bool operable(HWND hwnd)
{
    return IsWindow(hwnd) && IsWindowEnabled(hwnd);
}

// The focus goes to the control; false when the control went away meanwhile.
bool focus(HWND hwnd)
{
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    return IsWindow(hwnd) != FALSE;
}

void scrollToParent(HWND slider, UINT code, int pos)
{
    HWND parent = GetParent(slider);
    if (parent == 0)
        return;
    const UINT message = (controls::ControlStyle(slider) & TBS_VERT) != 0 ? WM_VSCROLL : WM_HSCROLL;
    SendMessageA(parent, message, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                 static_cast<LPARAM>(slider));
}

LPARAM rowPoint(HWND listView, int row, int column)
{
    int x = 1;
    for (int c = 0; c < column; ++c)
        x +=
            static_cast<int>(SendMessageA(listView, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    int y = 0;
    const int count = static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
    RECT r{};
    if (row >= 0)
    {
        platform::PointerParam rect(&r);
        SendMessageA(listView, LVM_GETITEMRECT, static_cast<WPARAM>(row), rect);
        y = r.top + 1;
    }
    else
    {
        // Below the last row (or at the top of an empty list).
        if (count > 0)
        {
            platform::PointerParam rect(&r);
            SendMessageA(listView, LVM_GETITEMRECT, static_cast<WPARAM>(count - 1), rect);
            y = r.bottom + 1;
        }
        else
        {
            RECT client{};
            GetClientRect(listView, &client);
            y = std::max<LONG>(client.bottom - 1, 30);
        }
    }
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

bool rowExists(HWND listView, int row)
{
    return row == -1 ||
           (row >= 0 && row < static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0)));
}

} // namespace

bool ButtonClickAsUser(HWND button)
{
    if (!operable(button))
        return false;
    SendMessageA(button, BM_CLICK, 0, 0);
    return true;
}

bool EditTypeAsUser(HWND edit, const std::string& text)
{
    if (!operable(edit) || !focus(edit))
        return false;
    for (char c : text)
    {
        if (!IsWindow(edit))
            return false;
        SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
    }
    return true;
}

bool ComboSelectAsUser(HWND combo, int index)
{
    if (!operable(combo) || index < 0 ||
        index >= static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0)) || !focus(combo))
        return false;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    controls::NotifyParentCommand(combo, CBN_SELCHANGE);
    return true;
}

bool ComboOpenAsUser(HWND combo)
{
    if (!operable(combo) || !focus(combo))
        return false;
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    return true;
}

bool ComboCloseAsUser(HWND combo)
{
    if (!operable(combo))
        return false;
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    return true;
}

bool ListSelectAsUser(HWND list, int index)
{
    if (!operable(list) || index < 0 ||
        index >= static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) || !focus(list))
        return false;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if ((controls::ControlStyle(list) & LBS_NOTIFY) != 0)
        controls::NotifyParentCommand(list, LBN_SELCHANGE);
    return true;
}

bool SliderMoveAsUser(HWND slider, int pos)
{
    return SliderDragAsUser(slider, {pos});
}

bool SliderDragAsUser(HWND slider, const std::vector<int>& steps)
{
    if (steps.empty() || !operable(slider) || !focus(slider))
        return false;
    int now = 0;
    for (int step : steps)
    {
        if (!IsWindow(slider))
            return false;
        SendMessageA(slider, TBM_SETPOS, TRUE, static_cast<LPARAM>(step));
        now = static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
        scrollToParent(slider, TB_THUMBTRACK, now);
    }
    if (IsWindow(slider))
        scrollToParent(slider, TB_THUMBPOSITION, now);
    if (IsWindow(slider))
        scrollToParent(slider, TB_ENDTRACK, 0);
    return true;
}

bool SliderKeyAsUser(HWND slider, UINT code)
{
    if (!operable(slider) || code > TB_BOTTOM || code == TB_THUMBPOSITION ||
        code == TB_THUMBTRACK || !focus(slider))
        return false;
    const int pos = static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
    const int line = static_cast<int>(SendMessageA(slider, TBM_GETLINESIZE, 0, 0));
    const int page = static_cast<int>(SendMessageA(slider, TBM_GETPAGESIZE, 0, 0));
    int next = pos;
    switch (code)
    {
    case TB_LINEUP:
        next = pos - line;
        break;
    case TB_LINEDOWN:
        next = pos + line;
        break;
    case TB_PAGEUP:
        next = pos - page;
        break;
    case TB_PAGEDOWN:
        next = pos + page;
        break;
    case TB_TOP:
        next = static_cast<int>(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0));
        break;
    case TB_BOTTOM:
        next = static_cast<int>(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0));
        break;
    default:
        break;
    }
    SendMessageA(slider, TBM_SETPOS, TRUE, static_cast<LPARAM>(next));
    scrollToParent(slider, code, 0);
    if (IsWindow(slider))
        scrollToParent(slider, TB_ENDTRACK, 0);
    return true;
}

bool ListViewClickRowAsUser(HWND listView, int row, int column)
{
    if (!operable(listView) || !rowExists(listView, row))
        return false;
    const LPARAM point = rowPoint(listView, row, column);
    SendMessageA(listView, WM_LBUTTONDOWN, 0x0001 /* MK_LBUTTON */, point);
    if (IsWindow(listView))
        SendMessageA(listView, WM_LBUTTONUP, 0, point);
    return true;
}

bool ListViewDoubleClickRowAsUser(HWND listView, int row, int column)
{
    if (!ListViewClickRowAsUser(listView, row, column) || !IsWindow(listView))
        return false;
    const LPARAM point = rowPoint(listView, row, column);
    SendMessageA(listView, WM_LBUTTONDBLCLK, 0x0001 /* MK_LBUTTON */, point);
    if (IsWindow(listView))
        SendMessageA(listView, WM_LBUTTONUP, 0, point);
    return true;
}

} // namespace platform
