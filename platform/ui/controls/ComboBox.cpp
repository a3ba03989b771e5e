// Combo boxes: the three forms (simple, drop-down, drop-down list). The list is an ItemList; the
// window text is the selection field, and follows the selection. Only a person's pick tells
// the parent (see UserActions.h): the messages themselves send no CBN_SELCHANGE.

#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/controls/ControlNotify.h"
#include "platform/ui/controls/ControlProcs.h"
#include "platform/ui/controls/ControlState.h"
#include "platform/ui/controls/ItemList.h"

#include <algorithm>

namespace platform::controls
{
namespace
{

inline constexpr int kItemHeight = 16;
inline constexpr int kFieldHeight = 18;
inline constexpr int kVisibleItems = 8;

constexpr ItemMessages kItemMessages{CB_ADDSTRING,   CB_INSERTSTRING,    CB_DELETESTRING,
                                     CB_GETCOUNT,    CB_GETLBTEXT,       CB_GETLBTEXTLEN,
                                     CB_FINDSTRING,  CB_FINDSTRINGEXACT, CB_SETITEMDATA,
                                     CB_GETITEMDATA, CB_INITSTORAGE,     CBS_SORT};

struct ComboState
{
    ItemList items;
    int curSel = CB_ERR;
    int droppedWidth = 0;
    bool dropped = false;
    int limit = 0;
    int itemHeight = kItemHeight;
    int fieldHeight = kFieldHeight;
    bool extendedUi = false;
    int horizontalExtent = 0;
    int topIndex = 0;
};

ControlStates<ComboState>& states()
{
    static auto* s = new ControlStates<ComboState>;
    return *s;
}

DWORD comboKind(HWND hwnd)
{
    return ControlStyle(hwnd) & 0x3;
}

int windowWidth(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r.right - r.left;
}

LRESULT setCurSel(HWND hwnd, ComboState& state, int index)
{
    const ListItem* item = state.items.At(index);
    state.curSel = item != nullptr ? index : CB_ERR;
    SetControlText(hwnd, item != nullptr ? item->text : std::string());
    InvalidateRect(hwnd, nullptr, TRUE);
    return state.curSel;
}

LRESULT showDropDown(HWND hwnd, ComboState& state, bool show)
{
    if (comboKind(hwnd) == CBS_SIMPLE || show == state.dropped)
        return TRUE;
    if (show)
    {
        // The parent hears of it before the list opens (it may still size the list).
        NotifyParentCommand(hwnd, CBN_DROPDOWN);
        state.dropped = true;
    }
    else
    {
        state.dropped = false;
        NotifyParentCommand(hwnd, CBN_CLOSEUP);
    }
    return TRUE;
}

} // namespace

LRESULT CALLBACK ComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        states().Erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto state = states().Get(hwnd);
    const int selected = state->curSel;
    if (const auto answer = AnswerItemMessage(kItemMessages, hwnd, state->items, state->curSel,
                                              message, wParam, lParam))
    {
        // Only a delete loses the selection; a drop-down list then shows nothing.
        if (selected >= 0 && state->curSel < 0 && comboKind(hwnd) == CBS_DROPDOWNLIST)
            SetControlText(hwnd, std::string());
        return *answer;
    }
    const int index = static_cast<int>(wParam);
    switch (message)
    {
    case CB_RESETCONTENT:
        state->items.Clear();
        state->curSel = CB_ERR;
        SetControlText(hwnd, std::string());
        InvalidateRect(hwnd, nullptr, TRUE);
        return CB_OKAY;
    case CB_SETCURSEL:
        return setCurSel(hwnd, *state, index);
    case CB_GETCURSEL:
        return state->curSel;
    case CB_SELECTSTRING:
    {
        const int found = state->items.Find(index, TextParam(lParam), false);
        return found < 0 ? CB_ERR : setCurSel(hwnd, *state, found);
    }
    case CB_SETDROPPEDWIDTH:
        if (index < 0)
            return CB_ERR;
        state->droppedWidth = index;
        return std::max(state->droppedWidth, windowWidth(hwnd));
    case CB_GETDROPPEDWIDTH:
        // Never narrower than the combo box itself.
        return std::max(state->droppedWidth, windowWidth(hwnd));
    case CB_SHOWDROPDOWN:
        return showDropDown(hwnd, *state, wParam != 0);
    case CB_GETDROPPEDSTATE:
        return state->dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT:
    {
        RECT* rect = platform::PointerFromParam<RECT>(lParam);
        if (rect == nullptr)
            return CB_ERR;
        GetWindowRect(hwnd, rect);
        rect->right = rect->left + std::max(state->droppedWidth, windowWidth(hwnd));
        rect->bottom =
            rect->top + state->fieldHeight +
            state->itemHeight * std::min(std::max(state->items.Count(), 1), kVisibleItems);
        return TRUE;
    }
    case CB_LIMITTEXT:
        state->limit = index;
        return TRUE;
    case CB_SETITEMHEIGHT:
        if (static_cast<int>(lParam) <= 0 || lParam > 255)
            return CB_ERR;
        (index == -1 ? state->fieldHeight : state->itemHeight) = static_cast<int>(lParam);
        return CB_OKAY;
    case CB_GETITEMHEIGHT:
        return index == -1 ? state->fieldHeight : state->itemHeight;
    case CB_SETEXTENDEDUI:
        state->extendedUi = wParam != 0;
        return CB_OKAY;
    case CB_GETEXTENDEDUI:
        return state->extendedUi ? TRUE : FALSE;
    case CB_GETEDITSEL:
        return 0;
    case CB_SETEDITSEL:
        return comboKind(hwnd) == CBS_DROPDOWNLIST ? CB_ERR : TRUE;
    case CB_GETTOPINDEX:
        return state->topIndex;
    case CB_SETTOPINDEX:
        if (!state->items.Valid(index))
            return CB_ERR;
        state->topIndex = index;
        return 0;
    case CB_GETHORIZONTALEXTENT:
        return state->horizontalExtent;
    case CB_SETHORIZONTALEXTENT:
        state->horizontalExtent = index;
        return 0;
    case WM_SETTEXT:
        if (comboKind(hwnd) == CBS_DROPDOWNLIST)
        {
            // Without an edit field the text can only name an item.
            const int found = state->items.Find(-1, TextParam(lParam), true);
            return found < 0 ? CB_ERR : (setCurSel(hwnd, *state, found), TRUE);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_SETFOCUS:
        NotifyParentCommand(hwnd, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (state->dropped)
            showDropDown(hwnd, *state, false);
        if (IsWindow(hwnd))
            NotifyParentCommand(hwnd, CBN_KILLFOCUS);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
