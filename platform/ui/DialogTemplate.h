#pragma once
// Dialog templates and the dialog manager's part of creating a dialog: the window of class
// "#32770", its controls in template order, WM_INITDIALOG, the first focus and showing it.
// Templates are entered by id (the resources enter the programs' own); a dialog whose id has no
// template gets the default one: a visible, captioned, modal-frame popup with no controls.

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
    RECT rect{};
};

struct DialogTemplate
{
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    DWORD exStyle = 0;
    std::string caption;
    RECT rect{};
    std::vector<DialogControl> controls;
};

void RegisterDialogTemplate(UINT id, DialogTemplate dialogTemplate);
std::optional<DialogTemplate> FindDialogTemplate(UINT id);
// The template for id, or the default one.
DialogTemplate DialogTemplateOrDefault(UINT id);

// Creates the dialog (hidden) and its controls, sends WM_INITDIALOG (wParam: the first control
// with WS_TABSTOP, lParam: initParam) and, when that returns nonzero, gives that control the
// focus; then shows the dialog when the template says WS_VISIBLE and EndDialog has not been
// called. 0 when the dialog or one of its controls cannot be created.
HWND CreateDialogFromTemplate(const DialogTemplate& dialogTemplate, HWND hWndOwner,
                              LPARAM initParam);

} // namespace platform

// Marks the dialog as ended with the result (the modal loop that runs it then returns).
BOOL EndDialog(HWND hDlg, INT_PTR nResult);
