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

std::string textParam(LPARAM lParam)
{
    const char* text = platform::PointerFromParam<const char>(lParam);
    return text != nullptr ? text : "";
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
    const int index = static_cast<int>(wParam);
    switch (message)
    {
    case LB_ADDSTRING:
    {
        const int at = state->items.Add(textParam(lParam), (ControlStyle(hwnd) & LBS_SORT) != 0);
        state->curSel = IndexAfterInsert(state->curSel, at);
        InvalidateRect(hwnd, nullptr, TRUE);
        return at;
    }
    case LB_INSERTSTRING:
    {
        const int at = state->items.Insert(index, textParam(lParam));
        if (at < 0)
            return LB_ERR;
        state->curSel = IndexAfterInsert(state->curSel, at);
        InvalidateRect(hwnd, nullptr, TRUE);
        return at;
    }
    case LB_DELETESTRING:
    {
        const int left = state->items.Delete(index);
        if (left < 0)
            return LB_ERR;
        state->curSel = IndexAfterDelete(state->curSel, index);
        InvalidateRect(hwnd, nullptr, TRUE);
        return left;
    }
    case LB_RESETCONTENT:
        state->items.Clear();
        state->curSel = LB_ERR;
        state->topIndex = 0;
        state->caret = 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return LB_OKAY;
    case LB_GETCOUNT:
        return state->items.Count();
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
    case LB_GETTEXT:
    {
        const ListItem* item = state->items.At(index);
        if (item == nullptr)
            return LB_ERR;
        return CopyOut(item->text, platform::PointerFromParam<char>(lParam), -1);
    }
    case LB_GETTEXTLEN:
    {
        const ListItem* item = state->items.At(index);
        return item != nullptr ? static_cast<LRESULT>(item->text.size()) : LB_ERR;
    }
    case LB_FINDSTRING:
        return state->items.Find(index, textParam(lParam), false);
    case LB_FINDSTRINGEXACT:
        return state->items.Find(index, textParam(lParam), true);
    case LB_SELECTSTRING:
    {
        const int found = state->items.Find(index, textParam(lParam), false);
        return found < 0 ? LB_ERR : setCurSel(hwnd, *state, found);
    }
    case LB_SETITEMDATA:
    {
        ListItem* item = state->items.At(index);
        if (item == nullptr)
            return LB_ERR;
        item->data = static_cast<DWORD_PTR>(lParam);
        return LB_OKAY;
    }
    case LB_GETITEMDATA:
    {
        const ListItem* item = state->items.At(index);
        return item != nullptr ? static_cast<LRESULT>(item->data) : LB_ERR;
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
    case LB_INITSTORAGE:
        return state->items.Count() + index;
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
