#pragma once
// How a control tells its parent: WM_COMMAND with MAKEWPARAM(id, code) and the control's handle,
// or WM_NOTIFY with the id and a token of the record (valid during the send).

#include "platform/ui/UserTypes.h"

#include <string>

namespace platform::controls
{

// Sends WM_COMMAND to the control's parent; 0 when it has none.
LRESULT NotifyParentCommand(HWND control, UINT code);
// Fills hdr (hwndFrom, idFrom, code) and sends WM_NOTIFY to the control's parent.
LRESULT NotifyParent(HWND control, UINT code, NMHDR& hdr);

// The control's style bits.
DWORD ControlStyle(HWND control);
// Replaces the window text without going through the control's procedure.
void SetControlText(HWND control, const std::string& text);
std::string ControlText(HWND control);
// Copies text with its terminating null into a buffer of the given size (negative: unbounded,
// as the platform's item-text messages carry no size); returns the characters copied.
int CopyOut(const std::string& text, char* buffer, int size);

} // namespace platform::controls
