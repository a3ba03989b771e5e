#pragma once
// Icons, bitmaps and cursors by resource id. A program's resources enter each image once
// (RegisterIconResource / RegisterBitmapResource); loading an id gives the same handle every
// time, so a handle can be read back as the id it stands for (a window's icon prints as
// "icon 163"). The module handle is not looked at: a process holds one program's resources.

#include "platform/base/WinError.h"
#include "platform/ui/gdi/GdiTypes.h"

#include <cstdint>
#include <optional>
#include <string>

#ifndef MAKEINTRESOURCEA
#define MAKEINTRESOURCEA(i)                                                                        \
    (reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#endif
#ifndef IS_INTRESOURCE
#define IS_INTRESOURCE(p) ((reinterpret_cast<std::uintptr_t>(p) >> 16) == 0)
#endif

inline constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
inline constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;

// The system's own icons and cursors (hInstance NULL).
inline constexpr UINT IDI_APPLICATION = 32512;
inline constexpr UINT IDI_HAND = 32513;
inline constexpr UINT IDI_QUESTION = 32514;
inline constexpr UINT IDI_EXCLAMATION = 32515;
inline constexpr UINT IDI_ASTERISK = 32516;
inline constexpr UINT IDI_WINLOGO = 32517;
inline constexpr UINT IDI_WARNING = IDI_EXCLAMATION;
inline constexpr UINT IDI_ERROR = IDI_HAND;
inline constexpr UINT IDI_INFORMATION = IDI_ASTERISK;
inline constexpr UINT IDC_ARROW = 32512;
inline constexpr UINT IDC_IBEAM = 32513;
inline constexpr UINT IDC_WAIT = 32514;

// LoadImageA.
inline constexpr UINT LR_DEFAULTCOLOR = 0x0000;
inline constexpr UINT LR_LOADFROMFILE = 0x0010;
inline constexpr UINT LR_DEFAULTSIZE = 0x0040;
inline constexpr UINT LR_SHARED = 0x8000;

HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName);
HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);
// uType 0 bitmap, 1 icon, 2 cursor; the size is not looked at (an icon has one handle).
HANDLE LoadImageA(HINSTANCE hInst, LPCSTR name, UINT uType, int cxDesired, int cyDesired,
                  UINT fuLoad);
// Resource icons are shared: destroying one is accepted and the handle stays valid.
BOOL DestroyIcon(HICON hIcon);
BOOL DestroyCursor(HCURSOR hCursor);

namespace platform
{

// Enters an icon (or bitmap) of the program's resources; the description is free text for the
// desktop ("tray, connected"). Entering an id again replaces its description.
void RegisterIconResource(UINT id, std::string description = {});
void RegisterBitmapResource(UINT id, std::string description = {}, int width = 16, int height = 16);
// Forgets every registered icon and bitmap (tests).
void ClearImageResources();

// The resource id behind a handle from LoadIconA / LoadBitmapA, or nullopt for anything else
// (including NULL). The system icons give their IDI_ ids.
std::optional<UINT> IconResourceId(HICON hIcon);
std::optional<UINT> BitmapResourceId(HBITMAP hBitmap);
std::optional<std::string> IconDescription(HICON hIcon);
std::optional<std::string> BitmapDescription(HBITMAP hBitmap);
// The size entered for a bitmap; nullopt for an unknown handle.
std::optional<SIZE> BitmapSize(HBITMAP hBitmap);
// "icon 163", "bitmap 188", or "" for NULL / an unknown handle: how windows describe them.
std::string DescribeImage(HANDLE handle);

} // namespace platform
