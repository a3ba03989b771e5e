#pragma once
// Window classes: a name and the window procedure its windows start with. Names match without
// regard to case. The system's classes ("#32770" for dialogs, the controls) are always there.

#include "platform/base/WinError.h"
#include "platform/ui/UserTypes.h"

#include <optional>
#include <string>

inline constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
inline constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;
inline constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;

// The dialog class.
inline constexpr const char* WC_DIALOG = "#32770";

// 0 with ERROR_CLASS_ALREADY_EXISTS when the name is taken.
ATOM RegisterClassA(const WNDCLASSA* lpWndClass);
BOOL UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance);
BOOL GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, WNDCLASSA* lpWndClass);

namespace platform
{

// Enters (or replaces) a class of the system; the control areas use it for their classes.
void RegisterSystemClass(const std::string& name, WNDPROC proc);

struct WindowClassInfo
{
    std::string name; // as registered
    WNDPROC proc = nullptr;
};
std::optional<WindowClassInfo> FindWindowClass(const std::string& name);

} // namespace platform
