#pragma once
// Acting on windows as a person would. Controls are named by id ("1001", "0x3E9") or by their
// text (exact, else without '&' marks and case); the search covers every descendant of the
// window, pages of a sheet included. Sent notifications run before the call returns; actions
// that arrive through the message loop (a close, a key, a menu pick, a tray click, an answer)
// are posted and happen when the loop next looks at its queue. Call them on the window's thread.

#include "platform/shell/ShellApi.h"
#include "platform/ui/UserTypes.h"

#include <string>

namespace platform::automation
{

struct ActionResult
{
    bool ok = false;
    std::string message; // why it failed, or what happened
    explicit operator bool() const { return ok; }
};

// Controls in view come first (pages of a sheet repeat ids). 0 when no descendant matches.
HWND FindControl(HWND window, const std::string& control);

// A person's input reaches only what they can see and use: every action below but SetText refuses
// a hidden control, or one that is disabled or lies in a disabled window (the owner of a modal
// window), and says which; a key, a page, the system menu and the close box likewise need their
// window visible and enabled.
//
// A button: focus moves to it, then BM_CLICK (check boxes and radios change, the parent hears
// BN_CLICKED).
ActionResult Click(HWND window, const std::string& control);
// The mouse itself: WM_LBUTTONDOWN and WM_LBUTTONUP posted to the control, so they pass the
// loop's PreTranslateMessage.
ActionResult MouseClick(HWND window, const std::string& control);
// Focus to the edit, one WM_CHAR per byte (its character filter applies), then focus moves on
// to the next control (EN_KILLFOCUS fires).
ActionResult TypeText(HWND window, const std::string& control, const std::string& text);
// WM_SETTEXT, as another program would: no person's input, so hidden and disabled controls
// take it too.
ActionResult SetText(HWND window, const std::string& control, const std::string& text);
// A combo or list box entry by its text, or by "#N" (or N when no entry has that text): the
// selection changes and the parent hears CBN_SELCHANGE / LBN_SELCHANGE.
ActionResult SelectEntry(HWND window, const std::string& control, const std::string& entry);
// A list-view row becomes the only selected and the focused one; the parent hears NM_CLICK
// (and NM_DBLCLK for a double click).
ActionResult PickRow(HWND window, const std::string& control, int row, bool doubleClick);
// TBM_SETPOS, then WM_HSCROLL (WM_VSCROLL for TBS_VERT) to the parent with SB_THUMBTRACK,
// SB_THUMBPOSITION and SB_ENDSCROLL.
ActionResult Slide(HWND window, const std::string& control, int pos);
// "enter" or "esc": a dialog gets the default button's command (IDOK) or IDCANCEL, a message
// box its default button or its Esc answer, an open popup menu closes on Esc.
ActionResult PressKey(HWND window, const std::string& key);
// An item of the open popup menu (the latest of this process).
ActionResult PickMenu(const std::string& item);
// An item of the window's system menu: WM_SYSCOMMAND with its id.
ActionResult PickSystemMenu(HWND window, const std::string& item);
// Presses a button ("OK", "Cancel", "Yes", "No", ... or an id) of the message box (0: the one
// that is up).
ActionResult AnswerBox(HWND box, const std::string& button);
// Chooses a page of a property sheet by its caption or "#N" (N when no caption matches), as a
// click on its tab: the sheet's SetActivePage (the current page may refuse to be left).
ActionResult SelectPage(HWND sheet, const std::string& page);
// WM_SYSCOMMAND SC_CLOSE, as the close box.
ActionResult CloseWindow(HWND window);
ActionResult ClickTray(HWND hwnd, UINT uid, TrayClick click);

} // namespace platform::automation
