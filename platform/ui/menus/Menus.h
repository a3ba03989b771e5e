#pragma once
// Menus: handles naming lists of items (text, command id, flags, an optional popup below).
// Menu resources are entered by id per program and loaded with LoadMenuA. TrackPopupMenu shows
// a popup as a top-level window of class "#32768" (published like any top-level window, its
// menu readable through platform::PopupMenuOf) and runs a modal menu loop on the calling thread
// until an item is picked or the menu is dismissed.

#include "platform/base/WinError.h"
#include "platform/ui/UserTypes.h"
#include "platform/ui/gdi/Resources.h" // MAKEINTRESOURCE, ERROR_RESOURCE_NAME_NOT_FOUND

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr DWORD ERROR_INVALID_MENU_HANDLE = 1401;

// Item flags.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_MENUBARBREAK = 0x0020;
inline constexpr UINT MF_MENUBREAK = 0x0040;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT MF_DEFAULT = 0x1000;

// TrackPopupMenu flags.
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_VCENTERALIGN = 0x0010;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

// The popup menu window class.
inline constexpr const char* kPopupMenuClass = "#32768";

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and the popups below it.
BOOL DestroyMenu(HMENU hMenu);
BOOL IsMenu(HMENU hMenu);
// lpMenuName: MAKEINTRESOURCE(id) of a registered menu resource.
HMENU LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName);
// MF_POPUP: uIDNewItem is the popup's HMENU, which then belongs to this menu.
BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
// Inserts before the item uPosition names (MF_BYPOSITION or MF_BYCOMMAND); a position past the
// end appends.
BOOL InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
BOOL ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);
// DeleteMenu destroys a popup below the item; RemoveMenu keeps it.
BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
HMENU GetSubMenu(HMENU hMenu, int nPos);
int GetMenuItemCount(HMENU hMenu);
// 0xFFFFFFFF for a popup item or a position past the end; 0 for a separator.
UINT GetMenuItemID(HMENU hMenu, int nPos);
// The length copied (without '\0'); with lpString NULL the length of the text.
int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags);
// MF_BYCOMMAND items are searched in the popups below too. Return the previous state
// (MF_GRAYED|MF_DISABLED resp. MF_CHECKED), 0xFFFFFFFF when there is no such item.
UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck);
UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);

// The window's system menu (Restore, Move, Size, Minimize, Maximize, a separator, Close), made
// on first use and kept with the window; bRevert TRUE puts the standard one back and returns
// NULL. Picking one of its items posts WM_SYSCOMMAND with the item's id to the window.
HMENU GetSystemMenu(HWND hWnd, BOOL bRevert);

// A desktop-wide cursor position of this process (tray clicks and menus are placed by it).
BOOL GetCursorPos(LPPOINT lpPoint);
BOOL SetCursorPos(int X, int Y);

// Shows the popup and runs the menu loop. A pick posts WM_COMMAND (WM_SYSCOMMAND for the
// window's system menu) with the item's id to hWnd and returns TRUE; with TPM_RETURNCMD it
// returns the id and posts nothing. Dismissed (or a quit arrives): 0, the quit re-posted.
BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd,
                    LPCRECT prcRect);

namespace platform
{

// A menu resource: the top-level items (for a menu bar, the popups).
struct MenuTemplateItem
{
    std::string text;
    UINT id = 0;
    UINT flags = MF_STRING; // MF_SEPARATOR, MF_POPUP (then items), MF_GRAYED, MF_CHECKED
    std::vector<MenuTemplateItem> items;
};
struct MenuTemplate
{
    std::vector<MenuTemplateItem> items;
};
void RegisterMenuTemplate(UINT id, MenuTemplate menuTemplate);

// A snapshot of a menu for describing it.
struct MenuItemInfo
{
    std::string text;
    UINT id = 0;
    UINT flags = 0;
    HMENU popup = 0;
    bool separator() const { return (flags & MF_SEPARATOR) != 0; }
    bool enabled() const { return (flags & (MF_GRAYED | MF_DISABLED)) == 0; }
    bool checked() const { return (flags & MF_CHECKED) != 0; }
};
std::optional<std::vector<MenuItemInfo>> DescribeMenu(HMENU hMenu);

// An item text as a person reads it: without '&' marks and what follows a tab, trimmed.
std::string PlainMenuText(const std::string& text);

// Open popup menus (TrackPopupMenu windows) of this process, the latest first.
std::vector<HWND> OpenPopupMenus();
HMENU PopupMenuOf(HWND hPopup);
// Picks an enabled item of the open popup (or the popups below it) by id or by text (exact,
// else as PlainMenuText without regard to case); the loop ends when it next looks at its queue.
// False when there is no such enabled item. Any thread.
bool PickMenuItem(HWND hPopup, UINT id);
bool PickMenuItemByText(HWND hPopup, const std::string& text);
bool DismissPopupMenu(HWND hPopup);
// Picks an item of the window's system menu as a person would: posts WM_SYSCOMMAND(id). False
// when the menu has no such enabled item.
bool PickSystemMenuItem(HWND hWnd, UINT id);
std::optional<UINT> FindMenuItemId(HMENU hMenu, const std::string& text);

} // namespace platform
