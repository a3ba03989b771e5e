#pragma once
// What a person does to a control, as the control and its parent see it: the focus moves to the
// control, the control changes, and the parent gets the notifications a mouse or keyboard
// action makes (messages sent by the program itself notify nobody). Each returns false, doing
// nothing, when the control is not a window, is disabled, or the item does not exist.

#include "platform/ui/UserTypes.h"

#include <string>
#include <vector>

namespace platform
{

// BM_CLICK: focus, the auto styles' check change, BN_CLICKED.
bool ButtonClickAsUser(HWND button);
// Focus, then WM_CHAR for each byte (so a subclass's character filter sees each one).
bool EditTypeAsUser(HWND edit, const std::string& text);
// Focus, CB_SETCURSEL, CBN_SELCHANGE.
bool ComboSelectAsUser(HWND combo, int index);
// Opening the list (CBN_DROPDOWN) and closing it again (CBN_CLOSEUP).
bool ComboOpenAsUser(HWND combo);
bool ComboCloseAsUser(HWND combo);
// Focus, LB_SETCURSEL, LBN_SELCHANGE (with LBS_NOTIFY).
bool ListSelectAsUser(HWND list, int index);
// Dragging the thumb to pos: TBM_SETPOS, then WM_HSCROLL (WM_VSCROLL with TBS_VERT) to the parent
// with TB_THUMBTRACK and the position, TB_THUMBPOSITION and the position, and TB_ENDTRACK.
bool SliderMoveAsUser(HWND slider, int pos);
// A drag through several positions: TB_THUMBTRACK for each step, then TB_THUMBPOSITION with the
// last one and TB_ENDTRACK.
bool SliderDragAsUser(HWND slider, const std::vector<int>& steps);
// A key on the trackbar: code is TB_LINEUP, TB_LINEDOWN, TB_PAGEUP, TB_PAGEDOWN, TB_TOP or
// TB_BOTTOM; the position moves by the line or page size, then the scroll message with the code,
// then TB_ENDTRACK.
bool SliderKeyAsUser(HWND slider, UINT code);
// A click on a row of a list view (row -1: below the rows), in the given column: the row
// becomes the selected and focused one (LVN_ITEMCHANGING/LVN_ITEMCHANGED), then NM_CLICK.
bool ListViewClickRowAsUser(HWND listView, int row, int column = 0);
// The click above, then NM_DBLCLK and LVN_ITEMACTIVATE.
bool ListViewDoubleClickRowAsUser(HWND listView, int row, int column = 0);

} // namespace platform
