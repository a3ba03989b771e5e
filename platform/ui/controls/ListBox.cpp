// List boxes with one selection. The strings are an ItemList; the items have a fixed height.
// As with combo boxes, only a person's pick tells the parent (LBN_SELCHANGE, UserActions.h).

#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/controls/ControlNotify.h"
#include "platform/ui/controls/ControlProcs.h"
#include "platform/ui/controls/ControlState.h"
#include "platform/ui/controls/ItemList.h"

namespace platform::controls
{
namespace
{

inline constexpr int kItemHeight = 16;

constexpr ItemMessages kItemMessages{LB_ADDSTRING,   LB_INSERTSTRING,    LB_DELETESTRING,
                                     LB_GETCOUNT,    LB_GETTEXT,         LB_GETTEXTLEN,
                                     LB_FINDSTRING,  LB_FINDSTRINGEXACT, LB_SETITEMDATA,
                                     LB_GETITEMDATA, LB_INITSTORAGE,     LBS_SORT};

bool changesItems(UINT message)
{
    return message == LB_ADDSTRING || message == LB_INSERTSTRING || message == LB_DELETESTRING;
}

struct ListBoxState
{
    ItemList items;
    int curSel = LB_ERR;
    int itemHeight = kItemHeight;
    int topIndex = 0;
    int caret = 0;
    int horizontalExtent = 0;
};

ControlStates<ListBoxState>& states()
{
    static auto* s = new ControlStates<ListBoxState>;
    return *s;
}

LRESULT setCurSel(HWND hwnd, ListBoxState& state, int index)
{
    state.curSel = state.items.Valid(index) ? index : LB_ERR;
    if (state.curSel >= 0)
        state.caret = state.curSel;
    InvalidateRect(hwnd, nullptr, TRUE);
    return state.curSel;
}

} // namespace

LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        states().Erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto state = states().Get(hwnd);
    if (const auto answer = AnswerItemMessage(kItemMessages, hwnd, state->items, state->curSel,
                                              message, wParam, lParam))
    {
        if (changesItems(message) && *answer != LB_ERR)
            InvalidateRect(hwnd, nullptr, TRUE);
        return *answer;
    }
    const int index = static_cast<int>(wParam);
    switch (message)
    {
    case LB_RESETCONTENT:
        state->items.Clear();
        state->curSel = LB_ERR;
        state->topIndex = 0;
        state->caret = 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return LB_OKAY;
    case LB_SETCURSEL:
        return setCurSel(hwnd, *state, index);
    case LB_GETCURSEL:
        return state->curSel;
    case LB_GETSEL:
        if (!state->items.Valid(index))
            return LB_ERR;
        return index == state->curSel ? 1 : 0;
    case LB_GETSELCOUNT:
    case LB_SETSEL:
        return LB_ERR; // multiple selection is not supported by a single-selection list
    case LB_SELECTSTRING:
    {
        const int found = state->items.Find(index, TextParam(lParam), false);
        return found < 0 ? LB_ERR : setCurSel(hwnd, *state, found);
    }
    case LB_SETITEMHEIGHT:
        if (lParam <= 0 || lParam > 255)
            return LB_ERR;
        state->itemHeight = static_cast<int>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return LB_OKAY;
    case LB_GETITEMHEIGHT:
        return state->itemHeight;
    case LB_GETITEMRECT:
    {
        RECT* rect = platform::PointerFromParam<RECT>(lParam);
        if (rect == nullptr || !state->items.Valid(index))
            return LB_ERR;
        RECT client{};
        GetClientRect(hwnd, &client);
        rect->left = 0;
        rect->right = client.right;
        rect->top = (index - state->topIndex) * state->itemHeight;
        rect->bottom = rect->top + state->itemHeight;
        return 1;
    }
    case LB_GETTOPINDEX:
        return state->topIndex;
    case LB_SETTOPINDEX:
        if (!state->items.Valid(index))
            return LB_ERR;
        state->topIndex = index;
        return 0;
    case LB_GETCARETINDEX:
        return state->caret;
    case LB_SETCARETINDEX:
        if (!state->items.Valid(index))
            return LB_ERR;
        state->caret = index;
        return 0;
    case LB_GETHORIZONTALEXTENT:
        return state->horizontalExtent;
    case LB_SETHORIZONTALEXTENT:
        state->horizontalExtent = index;
        return 0;
    case WM_SETFOCUS:
        if ((ControlStyle(hwnd) & LBS_NOTIFY) != 0)
            NotifyParentCommand(hwnd, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if ((ControlStyle(hwnd) & LBS_NOTIFY) != 0)
            NotifyParentCommand(hwnd, LBN_KILLFOCUS);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
