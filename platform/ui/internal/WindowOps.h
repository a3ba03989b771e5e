#pragma once
// Window state changes shared by the files of the window layer.

#include "platform/ui/UserTypes.h"

#include <optional>
#include <string>

namespace platform::ui
{

std::optional<std::string> WindowTitle(HWND hwnd);
// Stores the text and keeps the machine's directory current.
bool SetWindowTitle(HWND hwnd, const std::string& title);
// Marks a visible window for painting.
bool InvalidateWindow(HWND hwnd);
void ValidateWindow(HWND hwnd);
bool WindowNeedsPaint(HWND hwnd);
// True for handles this process has ever given to a window (so not another process's).
bool IsLocalHandle(HWND hwnd);
bool SetDialogEnded(HWND hwnd, INT_PTR result);
bool IsDialogEnded(HWND hwnd);
HICON SetWindowIcon(HWND hwnd, bool big, HICON icon);
HICON GetWindowIcon(HWND hwnd, bool big);
HFONT SetWindowFont(HWND hwnd, HFONT font);
HFONT GetWindowFont(HWND hwnd);

} // namespace platform::ui
