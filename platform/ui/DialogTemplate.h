#pragma once
// Dialog templates and the dialog manager: creating a dialog from its template (the window of
// class "#32770", its controls in template order, WM_INITDIALOG, the first focus, showing it),
// the dialog-item functions, the default button and the keyboard of a dialog.
//
// Templates are entered by id (the resources enter the programs' own); a dialog whose id has no
// template gets the default one: a visible, captioned, modal-frame popup with no controls.
//
// Rectangles in a template are in dialog units. They become pixels by one fixed rule, the
// metrics of the dialog font: x and width times 6/4, y and height times 13/8, each truncated
// (4 horizontal units are 6 px, 8 vertical units are 13 px). GetDialogBaseUnits reports that
// rule as MAKELONG(6, 13); MapDialogRect applies it to each coordinate of a rectangle.

#include "platform/ui/MessageIds.h"
#include "platform/ui/UserTypes.h"
#include "platform/ui/WindowStyles.h"

#include <optional>
#include <string>
#include <vector>

namespace platform
{

struct DialogControl
{
    std::string className;
    std::string text;
    int id = 0;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    RECT rect{}; // dialog units, relative to the dialog
    // Dialog-init data: strings added to a combo box (CB_ADDSTRING) or list box (LB_ADDSTRING)
    // right after it is created.
    std::vector<std::string> items{};
};

struct DialogTemplate
{
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    DWORD exStyle = 0;
    std::string caption;
    RECT rect{}; // dialog units
    std::vector<DialogControl> controls;
};

void RegisterDialogTemplate(UINT id, DialogTemplate dialogTemplate);
std::optional<DialogTemplate> FindDialogTemplate(UINT id);
// The template for id, or the default one.
DialogTemplate DialogTemplateOrDefault(UINT id);

// Dialog units to pixels, by the rule above.
inline constexpr int DialogUnitsToPixelsX(int units)
{
    return units * 6 / 4;
}
inline constexpr int DialogUnitsToPixelsY(int units)
{
    return units * 13 / 8;
}
// A template rectangle in pixels: the origin and the size are converted, each truncated.
RECT DialogRectToPixels(const RECT& units);

// Creates the dialog (hidden) and its controls, sends WM_INITDIALOG (wParam: the first control
// with WS_TABSTOP, lParam: initParam) and, when that returns nonzero, gives that control the
// focus; then shows the dialog when the template says WS_VISIBLE and EndDialog has not been
// called. A template with WS_CHILD makes a child dialog of hWndOwner (a property page). 0 when
// the dialog or one of its controls cannot be created.
HWND CreateDialogFromTemplate(const DialogTemplate& dialogTemplate, HWND hWndOwner,
                              LPARAM initParam);

// The default push button of a dialog: the id set with DM_SETDEFID, else the first control with
// BS_DEFPUSHBUTTON, else IDOK. DefDlgProcA (so every dialog, the framework's too) answers
// DM_GETDEFID and DM_SETDEFID with these.
UINT DialogDefaultId(HWND hDlg);
void SetDialogDefaultId(HWND hDlg, UINT id);
// The id DM_SETDEFID set, 0 when none was.
UINT DialogDefaultIdSet(HWND hDlg);

} // namespace platform

// Marks the dialog as ended with the result (the modal loop that runs it then returns).
BOOL EndDialog(HWND hDlg, INT_PTR nResult);

// Dialog messages.
inline constexpr UINT DM_GETDEFID = WM_USER + 0;
inline constexpr UINT DM_SETDEFID = WM_USER + 1;
inline constexpr WORD DC_HASDEFID = 0x534B;

// WM_GETDLGCODE results.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_STATIC = 0x0100;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;

// The keys the dialog manager acts on.
#ifndef VK_RETURN
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_SHIFT = 0x10;
inline constexpr UINT VK_CONTROL = 0x11;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_SPACE = 0x20;
inline constexpr UINT VK_F1 = 0x70;
#define VK_RETURN VK_RETURN
#endif

// The keyboard of a dialog, for a message of a window inside it (or of the dialog itself):
// Enter presses the default button (WM_COMMAND with its id and BN_CLICKED, sent to the dialog;
// when that control is a disabled button nothing happens); Escape sends IDCANCEL; Tab moves the
// focus to the next tab stop (Shift+Tab is not followed: there is no key state). A control that
// asks for the key (WM_GETDLGCODE DLGC_WANTALLKEYS / DLGC_WANTTAB) keeps it. Returns TRUE when
// the message was taken (the caller then neither translates nor dispatches it).
BOOL IsDialogMessageA(HWND hDlg, LPMSG lpMsg);

UINT GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax);
BOOL SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString);
// The item's text as a decimal number (leading blanks allowed, a '-' when bSigned); *lpTranslated
// is FALSE when the text is not one or does not fit 32 bits.
UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned);
BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned);
BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);
UINT IsDlgButtonChecked(HWND hDlg, int nIDButton);
// Checks nIDCheckButton and unchecks the other buttons with ids in the range.
BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
LRESULT SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
// The next (or previous) visible, enabled control with WS_TABSTOP after hCtl, wrapping round.
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
// The next (or previous) control of hCtl's group (groups start at WS_GROUP), wrapping inside it.
HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
// Converts each coordinate from dialog units to pixels (the rule above).
BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);
LONG GetDialogBaseUnits();
