// The list view, in the report form the programs use: columns, rows of subitem texts and image
// indexes, item states with their notifications, image lists and the extended styles. Rows are
// a fixed height under a header, so a point names a row (the mouse messages select rows).

#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/controls/ControlNotify.h"
#include "platform/ui/controls/ControlProcs.h"
#include "platform/ui/controls/ControlState.h"
#include "platform/ui/controls/ImageList.h"

#include <algorithm>
#include <map>
#include <string>
#include <strings.h>
#include <vector>

namespace platform::controls
{
namespace
{

inline constexpr int kHeaderHeight = 20;
inline constexpr int kRowHeight = 16;
inline constexpr int kCharWidth = 7; // the fixed font's average width, for LVSCW_AUTOSIZE
inline constexpr int kColumnPadding = 12;

struct Column
{
    int fmt = LVCFMT_LEFT;
    int cx = 0;
    std::string text;
    int subItem = 0;
    int image = 0;
    int order = 0;
};

struct SubItem
{
    std::string text;
    int image = 0;
};

struct Row
{
    std::map<int, SubItem> cells; // by subitem index; 0 is the item itself
    UINT state = 0;
    LPARAM param = 0;
    int indent = 0;
};

struct ListViewState
{
    std::vector<Column> columns;
    std::vector<Row> rows;
    DWORD exStyle = 0;
    HIMAGELIST images[3] = {0, 0, 0};
    std::map<UINT, LRESULT> colors; // LVM_SET*COLOR by the matching get message
    int selectionMark = -1;
    int hotItem = -1;
    int topIndex = 0;
};

ControlStates<ListViewState>& states()
{
    static auto* s = new ControlStates<ListViewState>;
    return *s;
}

bool valid(const ListViewState& state, int item)
{
    return item >= 0 && item < static_cast<int>(state.rows.size());
}

int rowHeight(const ListViewState& state)
{
    int cx = 0;
    int cy = 0;
    if (state.images[LVSIL_SMALL] != 0 &&
        ImageList_GetIconSize(state.images[LVSIL_SMALL], &cx, &cy))
        return std::max(kRowHeight, cy);
    return kRowHeight;
}

int headerHeight(HWND hwnd)
{
    return (ControlStyle(hwnd) & LVS_NOCOLUMNHEADER) != 0 ? 0 : kHeaderHeight;
}

RECT rowRect(HWND hwnd, const ListViewState& state, int item)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    int width = 0;
    for (const Column& c : state.columns)
        width += c.cx;
    RECT r{};
    r.left = 0;
    r.right = state.columns.empty() ? client.right : width;
    r.top = headerHeight(hwnd) + (item - state.topIndex) * rowHeight(state);
    r.bottom = r.top + rowHeight(state);
    return r;
}

int rowAt(HWND hwnd, const ListViewState& state, int y)
{
    const int offset = y - headerHeight(hwnd);
    if (offset < 0)
        return -1;
    const int item = state.topIndex + offset / rowHeight(state);
    return valid(state, item) ? item : -1;
}

std::string textOf(const char* text)
{
    return text != nullptr ? text : "";
}

// Changes one item's state with LVN_ITEMCHANGING (a nonzero answer refuses) and
// LVN_ITEMCHANGED. False when refused or the item went away meanwhile.
bool changeState(HWND hwnd, const std::shared_ptr<ListViewState>& state, int item, UINT newState,
                 UINT mask)
{
    if (!valid(*state, item))
        return false;
    const UINT oldState = state->rows[static_cast<std::size_t>(item)].state;
    const UINT wanted = (oldState & ~mask) | (newState & mask);
    if (wanted == oldState)
        return true;
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.iSubItem = 0;
    nm.uNewState = wanted;
    nm.uOldState = oldState;
    nm.uChanged = LVIF_STATE;
    nm.lParam = state->rows[static_cast<std::size_t>(item)].param;
    if (NotifyParent(hwnd, LVN_ITEMCHANGING, nm.hdr) != 0)
        return false;
    if (!IsWindow(hwnd) || !valid(*state, item))
        return false;
    state->rows[static_cast<std::size_t>(item)].state = wanted;
    InvalidateRect(hwnd, nullptr, FALSE);
    nm = NMLISTVIEW{};
    nm.iItem = item;
    nm.uNewState = wanted;
    nm.uOldState = oldState;
    nm.uChanged = LVIF_STATE;
    nm.lParam = state->rows[static_cast<std::size_t>(item)].param;
    NotifyParent(hwnd, LVN_ITEMCHANGED, nm.hdr);
    return true;
}

// Sets an item's state the way the control keeps it consistent: one focused item, and one
// selected item under LVS_SINGLESEL. The others let go first.
bool setItemState(HWND hwnd, const std::shared_ptr<ListViewState>& state, int item, UINT newState,
                  UINT mask)
{
    if (!valid(*state, item))
        return false;
    UINT clear = 0;
    if ((mask & LVIS_FOCUSED) != 0 && (newState & LVIS_FOCUSED) != 0)
        clear |= LVIS_FOCUSED;
    if ((mask & LVIS_SELECTED) != 0 && (newState & LVIS_SELECTED) != 0 &&
        (ControlStyle(hwnd) & LVS_SINGLESEL) != 0)
        clear |= LVIS_SELECTED;
    if (clear != 0)
        for (int other = 0; other < static_cast<int>(state->rows.size()); ++other)
            if (other != item && (state->rows[static_cast<std::size_t>(other)].state & clear) != 0)
                changeState(hwnd, state, other, 0, clear);
    const bool changed = changeState(hwnd, state, item, newState, mask);
    if (changed && (mask & newState & LVIS_SELECTED) != 0)
        state->selectionMark = item;
    return changed;
}

void copyItemOut(const ListViewState& state, int item, LVITEMA& lv)
{
    const Row& row = state.rows[static_cast<std::size_t>(item)];
    auto cell = row.cells.find(lv.iSubItem);
    if ((lv.mask & LVIF_TEXT) != 0)
        CopyOut(cell != row.cells.end() ? cell->second.text : std::string(), lv.pszText,
                lv.cchTextMax);
    if ((lv.mask & LVIF_IMAGE) != 0)
        lv.iImage = cell != row.cells.end() ? cell->second.image : 0;
    if (lv.iSubItem == 0)
    {
        if ((lv.mask & LVIF_PARAM) != 0)
            lv.lParam = row.param;
        if ((lv.mask & LVIF_STATE) != 0)
            lv.state = row.state & lv.stateMask;
        if ((lv.mask & LVIF_INDENT) != 0)
            lv.iIndent = row.indent;
    }
}

// The texts and images of an LVITEMA (not the state, which notifies).
void copyItemIn(Row& row, const LVITEMA& lv)
{
    SubItem& cell = row.cells[lv.iSubItem];
    if ((lv.mask & LVIF_TEXT) != 0)
        cell.text = textOf(lv.pszText);
    if ((lv.mask & LVIF_IMAGE) != 0)
        cell.image = lv.iImage;
    if (lv.iSubItem == 0)
    {
        if ((lv.mask & LVIF_PARAM) != 0)
            row.param = lv.lParam;
        if ((lv.mask & LVIF_INDENT) != 0)
            row.indent = lv.iIndent;
    }
}

LRESULT insertItem(HWND hwnd, const std::shared_ptr<ListViewState>& state, const LVITEMA* lv)
{
    if (lv == nullptr || lv->iSubItem != 0)
        return -1;
    int at = std::clamp(lv->iItem, 0, static_cast<int>(state->rows.size()));
    const DWORD style = ControlStyle(hwnd);
    if ((style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) != 0 && (lv->mask & LVIF_TEXT) != 0)
    {
        const std::string text = textOf(lv->pszText);
        const bool down = (style & LVS_SORTDESCENDING) != 0;
        at = 0;
        while (at < static_cast<int>(state->rows.size()))
        {
            const int cmp = ::strcasecmp(
                state->rows[static_cast<std::size_t>(at)].cells[0].text.c_str(), text.c_str());
            if (down ? cmp < 0 : cmp > 0)
                break;
            ++at;
        }
    }
    Row row;
    copyItemIn(row, *lv);
    if ((lv->mask & LVIF_STATE) != 0)
        row.state = lv->state & lv->stateMask;
    state->rows.insert(state->rows.begin() + at, std::move(row));
    if (state->selectionMark >= at)
        ++state->selectionMark;
    InvalidateRect(hwnd, nullptr, FALSE);
    NMLISTVIEW nm{};
    nm.iItem = at;
    nm.lParam = state->rows[static_cast<std::size_t>(at)].param;
    NotifyParent(hwnd, LVN_INSERTITEM, nm.hdr);
    return at;
}

BOOL deleteItem(HWND hwnd, const std::shared_ptr<ListViewState>& state, int item)
{
    if (!valid(*state, item))
        return FALSE;
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.lParam = state->rows[static_cast<std::size_t>(item)].param;
    NotifyParent(hwnd, LVN_DELETEITEM, nm.hdr);
    if (!IsWindow(hwnd) || !valid(*state, item))
        return FALSE;
    state->rows.erase(state->rows.begin() + item);
    if (state->selectionMark == item)
        state->selectionMark = -1;
    else if (state->selectionMark > item)
        --state->selectionMark;
    InvalidateRect(hwnd, nullptr, FALSE);
    return TRUE;
}

BOOL deleteAllItems(HWND hwnd, const std::shared_ptr<ListViewState>& state)
{
    NMLISTVIEW nm{};
    nm.iItem = -1;
    // A nonzero answer asks for no LVN_DELETEITEM per item.
    const bool quiet = NotifyParent(hwnd, LVN_DELETEALLITEMS, nm.hdr) != 0;
    if (!IsWindow(hwnd))
        return FALSE;
    if (!quiet)
        for (int i = 0; i < static_cast<int>(state->rows.size()); ++i)
        {
            NMLISTVIEW each{};
            each.iItem = i;
            each.lParam = state->rows[static_cast<std::size_t>(i)].param;
            NotifyParent(hwnd, LVN_DELETEITEM, each.hdr);
            if (!IsWindow(hwnd))
                return FALSE;
        }
    state->rows.clear();
    state->selectionMark = -1;
    state->topIndex = 0;
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT nextItem(const ListViewState& state, int start, UINT flags)
{
    const UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    const int count = static_cast<int>(state.rows.size());
    const bool up = (flags & LVNI_ABOVE) != 0;
    int i = start < 0 ? (up ? count - 1 : 0) : (up ? start - 1 : start + 1);
    for (; i >= 0 && i < count; i += up ? -1 : 1)
        if ((state.rows[static_cast<std::size_t>(i)].state & wanted) == wanted)
            return i;
    return -1;
}

LRESULT insertColumn(HWND hwnd, ListViewState& state, int index, const LVCOLUMNA* col)
{
    if (col == nullptr || index < 0)
        return -1;
    index = std::min(index, static_cast<int>(state.columns.size()));
    Column c;
    if ((col->mask & LVCF_FMT) != 0)
        c.fmt = col->fmt;
    if ((col->mask & LVCF_WIDTH) != 0)
        c.cx = col->cx;
    if ((col->mask & LVCF_TEXT) != 0)
        c.text = textOf(col->pszText);
    c.subItem = (col->mask & LVCF_SUBITEM) != 0 ? col->iSubItem : index;
    if ((col->mask & LVCF_IMAGE) != 0)
        c.image = col->iImage;
    c.order = (col->mask & LVCF_ORDER) != 0 ? col->iOrder : index;
    state.columns.insert(state.columns.begin() + index, std::move(c));
    InvalidateRect(hwnd, nullptr, TRUE);
    return index;
}

BOOL getColumn(const ListViewState& state, int index, LVCOLUMNA* col)
{
    if (col == nullptr || index < 0 || index >= static_cast<int>(state.columns.size()))
        return FALSE;
    const Column& c = state.columns[static_cast<std::size_t>(index)];
    if ((col->mask & LVCF_FMT) != 0)
        col->fmt = c.fmt;
    if ((col->mask & LVCF_WIDTH) != 0)
        col->cx = c.cx;
    if ((col->mask & LVCF_TEXT) != 0)
        CopyOut(c.text, col->pszText, col->cchTextMax);
    if ((col->mask & LVCF_SUBITEM) != 0)
        col->iSubItem = c.subItem;
    if ((col->mask & LVCF_IMAGE) != 0)
        col->iImage = c.image;
    if ((col->mask & LVCF_ORDER) != 0)
        col->iOrder = c.order;
    return TRUE;
}

BOOL setColumn(HWND hwnd, ListViewState& state, int index, const LVCOLUMNA* col)
{
    if (col == nullptr || index < 0 || index >= static_cast<int>(state.columns.size()))
        return FALSE;
    Column& c = state.columns[static_cast<std::size_t>(index)];
    if ((col->mask & LVCF_FMT) != 0)
        c.fmt = col->fmt;
    if ((col->mask & LVCF_WIDTH) != 0)
        c.cx = col->cx;
    if ((col->mask & LVCF_TEXT) != 0)
        c.text = textOf(col->pszText);
    if ((col->mask & LVCF_SUBITEM) != 0)
        c.subItem = col->iSubItem;
    if ((col->mask & LVCF_IMAGE) != 0)
        c.image = col->iImage;
    if ((col->mask & LVCF_ORDER) != 0)
        c.order = col->iOrder;
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

BOOL setColumnWidth(HWND hwnd, ListViewState& state, int index, int cx)
{
    if (index < 0 || index >= static_cast<int>(state.columns.size()))
        return FALSE;
    Column& c = state.columns[static_cast<std::size_t>(index)];
    if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER)
    {
        std::size_t longest = cx == LVSCW_AUTOSIZE_USEHEADER ? c.text.size() : 0;
        for (const Row& row : state.rows)
        {
            auto cell = row.cells.find(c.subItem);
            if (cell != row.cells.end())
                longest = std::max(longest, cell->second.text.size());
        }
        cx = static_cast<int>(longest) * kCharWidth + kColumnPadding;
    }
    c.cx = std::max(cx, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

void notifyActivate(HWND hwnd, UINT code, int item, int subItem, POINT pt)
{
    NMITEMACTIVATE nm{};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    NotifyParent(hwnd, code, nm.hdr);
}

int subItemAt(const ListViewState& state, int x)
{
    int left = 0;
    for (const Column& c : state.columns)
    {
        if (x >= left && x < left + c.cx)
            return c.subItem;
        left += c.cx;
    }
    return 0;
}

// A left click: the row under the point becomes the one selected and focused item (the
// others let go); a click below the rows clears the selection. Then NM_CLICK.
void click(HWND hwnd, const std::shared_ptr<ListViewState>& state, POINT pt, bool twice)
{
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    if (!IsWindow(hwnd))
        return;
    const int item = rowAt(hwnd, *state, pt.y);
    if (!twice)
    {
        for (int other = 0; other < static_cast<int>(state->rows.size()); ++other)
            if (other != item)
                changeState(hwnd, state, other, 0,
                            item >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED);
        if (item >= 0)
            setItemState(hwnd, state, item, LVIS_SELECTED | LVIS_FOCUSED,
                         LVIS_SELECTED | LVIS_FOCUSED);
    }
    if (!IsWindow(hwnd))
        return;
    const int subItem = item >= 0 ? subItemAt(*state, pt.x) : 0;
    if (!twice)
    {
        notifyActivate(hwnd, NM_CLICK, item, subItem, pt);
        return;
    }
    notifyActivate(hwnd, NM_DBLCLK, item, subItem, pt);
    if (item >= 0 && IsWindow(hwnd))
        notifyActivate(hwnd, LVN_ITEMACTIVATE, item, subItem, pt);
}

POINT pointOf(LPARAM lParam)
{
    const DWORD v = static_cast<DWORD>(lParam);
    return POINT{static_cast<SHORT>(LOWORD(v)), static_cast<SHORT>(HIWORD(v))};
}

void destroyImageLists(HWND hwnd, ListViewState& state)
{
    if ((ControlStyle(hwnd) & LVS_SHAREIMAGELISTS) != 0)
        return;
    for (HIMAGELIST& himl : state.images)
    {
        if (himl != 0)
            ImageList_Destroy(himl);
        himl = 0;
    }
}

} // namespace

LRESULT CALLBACK ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        if (auto state = states().Find(hwnd))
            destroyImageLists(hwnd, *state);
        states().Erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto state = states().Get(hwnd);
    const int index = static_cast<int>(wParam);
    switch (message)
    {
    case LVM_INSERTCOLUMNA:
        return insertColumn(hwnd, *state, index, platform::PointerFromParam<LVCOLUMNA>(lParam));
    case LVM_GETCOLUMNA:
        return getColumn(*state, index, platform::PointerFromParam<LVCOLUMNA>(lParam));
    case LVM_SETCOLUMNA:
        return setColumn(hwnd, *state, index, platform::PointerFromParam<LVCOLUMNA>(lParam));
    case LVM_DELETECOLUMN:
        if (index < 0 || index >= static_cast<int>(state->columns.size()))
            return FALSE;
        state->columns.erase(state->columns.begin() + index);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case LVM_GETCOLUMNWIDTH:
        if (index < 0 || index >= static_cast<int>(state->columns.size()))
            return 0;
        return state->columns[static_cast<std::size_t>(index)].cx;
    case LVM_SETCOLUMNWIDTH:
        return setColumnWidth(hwnd, *state, index,
                              static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam))));
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
    {
        const DWORD previous = state->exStyle;
        const DWORD mask = wParam == 0 ? 0xFFFFFFFFu : static_cast<DWORD>(wParam);
        state->exStyle = (previous & ~mask) | (static_cast<DWORD>(lParam) & mask);
        InvalidateRect(hwnd, nullptr, TRUE);
        return static_cast<LRESULT>(previous);
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return static_cast<LRESULT>(state->exStyle);
    case LVM_INSERTITEMA:
        return insertItem(hwnd, state, platform::PointerFromParam<LVITEMA>(lParam));
    case LVM_SETITEMA:
    {
        const LVITEMA* lv = platform::PointerFromParam<LVITEMA>(lParam);
        if (lv == nullptr || !valid(*state, lv->iItem) || lv->iSubItem < 0)
            return FALSE;
        copyItemIn(state->rows[static_cast<std::size_t>(lv->iItem)], *lv);
        InvalidateRect(hwnd, nullptr, FALSE);
        if ((lv->mask & LVIF_STATE) != 0 && lv->iSubItem == 0)
            setItemState(hwnd, state, lv->iItem, lv->state, lv->stateMask);
        return TRUE;
    }
    case LVM_GETITEMA:
    {
        LVITEMA* lv = platform::PointerFromParam<LVITEMA>(lParam);
        if (lv == nullptr || !valid(*state, lv->iItem))
            return FALSE;
        copyItemOut(*state, lv->iItem, *lv);
        return TRUE;
    }
    case LVM_SETITEMTEXTA:
    {
        const LVITEMA* lv = platform::PointerFromParam<LVITEMA>(lParam);
        if (lv == nullptr || !valid(*state, index) || lv->iSubItem < 0)
            return FALSE;
        state->rows[static_cast<std::size_t>(index)].cells[lv->iSubItem].text = textOf(lv->pszText);
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case LVM_GETITEMTEXTA:
    {
        LVITEMA* lv = platform::PointerFromParam<LVITEMA>(lParam);
        if (lv == nullptr || !valid(*state, index))
            return 0;
        const Row& row = state->rows[static_cast<std::size_t>(index)];
        auto cell = row.cells.find(lv->iSubItem);
        return CopyOut(cell != row.cells.end() ? cell->second.text : std::string(), lv->pszText,
                       lv->cchTextMax);
    }
    case LVM_DELETEITEM:
        return deleteItem(hwnd, state, index);
    case LVM_DELETEALLITEMS:
        return deleteAllItems(hwnd, state);
    case LVM_GETITEMCOUNT:
        return static_cast<LRESULT>(state->rows.size());
    case LVM_SETITEMCOUNT:
        state->rows.reserve(static_cast<std::size_t>(std::max(index, 0)));
        return TRUE;
    case LVM_GETNEXTITEM:
        return nextItem(*state, index, LOWORD(static_cast<DWORD>(lParam)));
    case LVM_SETITEMSTATE:
    {
        const LVITEMA* lv = platform::PointerFromParam<LVITEMA>(lParam);
        if (lv == nullptr)
            return FALSE;
        if (index == -1)
        {
            // Every item; a refusal by the parent for one item does not stop the others.
            for (int i = 0; i < static_cast<int>(state->rows.size()); ++i)
                changeState(hwnd, state, i, lv->state, lv->stateMask);
            return TRUE;
        }
        if (!valid(*state, index))
            return FALSE;
        setItemState(hwnd, state, index, lv->state, lv->stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE:
        if (!valid(*state, index))
            return 0;
        return static_cast<LRESULT>(state->rows[static_cast<std::size_t>(index)].state &
                                    static_cast<UINT>(lParam));
    case LVM_GETSELECTEDCOUNT:
        return static_cast<LRESULT>(std::count_if(state->rows.begin(), state->rows.end(),
                                                  [](const Row& r)
                                                  { return (r.state & LVIS_SELECTED) != 0; }));
    case LVM_GETSELECTIONMARK:
        return state->selectionMark;
    case LVM_SETSELECTIONMARK:
    {
        const int previous = state->selectionMark;
        state->selectionMark = static_cast<int>(lParam);
        return previous;
    }
    case LVM_GETHOTITEM:
        return state->hotItem;
    case LVM_SETHOTITEM:
    {
        const int previous = state->hotItem;
        state->hotItem = index;
        return previous;
    }
    case LVM_ENSUREVISIBLE:
    {
        if (!valid(*state, index))
            return FALSE;
        RECT client{};
        GetClientRect(hwnd, &client);
        const int perPage = std::max(1, (client.bottom - headerHeight(hwnd)) / rowHeight(*state));
        if (index < state->topIndex)
            state->topIndex = index;
        else if (index >= state->topIndex + perPage)
            state->topIndex = index - perPage + 1;
        return TRUE;
    }
    case LVM_GETTOPINDEX:
        return state->topIndex;
    case LVM_GETCOUNTPERPAGE:
    {
        RECT client{};
        GetClientRect(hwnd, &client);
        return std::max(0, (client.bottom - headerHeight(hwnd)) / rowHeight(*state));
    }
    case LVM_REDRAWITEMS:
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    case LVM_UPDATE:
    case LVM_ARRANGE:
        return TRUE;
    case LVM_GETITEMRECT:
    {
        RECT* rect = platform::PointerFromParam<RECT>(lParam);
        if (rect == nullptr || !valid(*state, index))
            return FALSE;
        *rect = rowRect(hwnd, *state, index);
        return TRUE;
    }
    case LVM_SETIMAGELIST:
    {
        if (index < LVSIL_NORMAL || index > LVSIL_STATE)
            return 0;
        const HIMAGELIST previous = state->images[index];
        state->images[index] = static_cast<HIMAGELIST>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return static_cast<LRESULT>(previous);
    }
    case LVM_GETIMAGELIST:
        if (index < LVSIL_NORMAL || index > LVSIL_STATE)
            return 0;
        return static_cast<LRESULT>(state->images[index]);
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR:
        state->colors[message - 1] = lParam;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case LVM_GETBKCOLOR:
    case LVM_GETTEXTCOLOR:
    case LVM_GETTEXTBKCOLOR:
    {
        auto it = state->colors.find(message);
        return it != state->colors.end() ? it->second : static_cast<LRESULT>(CLR_NONE);
    }
    case LVM_GETHEADER:
    case LVM_GETEDITCONTROL:
        return 0;
    case WM_LBUTTONDOWN:
        click(hwnd, state, pointOf(lParam), false);
        return 0;
    case WM_LBUTTONDBLCLK:
        click(hwnd, state, pointOf(lParam), true);
        return 0;
    case WM_LBUTTONUP:
        return 0;
    case WM_SETFOCUS:
    {
        NMHDR hdr{};
        NotifyParent(hwnd, NM_SETFOCUS, hdr);
        return 0;
    }
    case WM_KILLFOCUS:
    {
        NMHDR hdr{};
        NotifyParent(hwnd, NM_KILLFOCUS, hdr);
        return 0;
    }
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
