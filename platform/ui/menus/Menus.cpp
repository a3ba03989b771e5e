#include "platform/ui/menus/Menus.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/automation/Remote.h"

#include <strings.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace
{

struct Item
{
    std::string text;
    UINT id = 0;
    UINT flags = 0;
    HMENU popup = 0;
};

struct Menu
{
    bool popup = false;
    std::vector<Item> items;
};

// Menus are objects of the process; handles come from their own range.
struct Store
{
    std::recursive_mutex mutex;
    std::map<HMENU, Menu> menus;
    std::map<HWND, HMENU> systemMenus;
    std::map<UINT, platform::MenuTemplate> templates;
    HMENU next = 0x00C00004;
    POINT cursor{0, 0};
};

Store& store()
{
    static Store* instance = new Store;
    return *instance;
}

using Lock = std::lock_guard<std::recursive_mutex>;

Menu* findLocked(HMENU h)
{
    auto it = store().menus.find(h);
    return it == store().menus.end() ? nullptr : &it->second;
}

HMENU createLocked(bool popup)
{
    Store& s = store();
    HMENU h = s.next;
    s.next += 4;
    s.menus[h].popup = popup;
    return h;
}

void destroyLocked(HMENU h)
{
    Menu* m = findLocked(h);
    if (m == nullptr)
        return;
    std::vector<HMENU> below;
    for (const Item& it : m->items)
        if (it.popup != 0)
            below.push_back(it.popup);
    store().menus.erase(h);
    for (HMENU p : below)
        destroyLocked(p);
}

// The item uPosition names: by position in this menu, or by command in this menu and below.
Item* locateLocked(HMENU h, UINT position, UINT flags, Menu** owner = nullptr,
                   std::size_t* index = nullptr)
{
    Menu* m = findLocked(h);
    if (m == nullptr)
        return nullptr;
    if ((flags & MF_BYPOSITION) != 0)
    {
        if (position >= m->items.size())
            return nullptr;
        if (owner)
            *owner = m;
        if (index)
            *index = position;
        return &m->items[position];
    }
    for (std::size_t i = 0; i < m->items.size(); ++i)
    {
        Item& it = m->items[i];
        if (it.popup == 0 && (it.flags & MF_SEPARATOR) == 0 && it.id == position)
        {
            if (owner)
                *owner = m;
            if (index)
                *index = i;
            return &it;
        }
    }
    for (Item& it : m->items)
        if (it.popup != 0)
            if (Item* found = locateLocked(it.popup, position, flags, owner, index))
                return found;
    return nullptr;
}

bool makeItem(UINT flags, UINT_PTR idOrPopup, LPCSTR text, Item& item)
{
    item.flags = flags & ~MF_BYPOSITION;
    if ((flags & MF_POPUP) != 0)
    {
        if (findLocked(static_cast<HMENU>(idOrPopup)) == nullptr)
            return false;
        item.popup = static_cast<HMENU>(idOrPopup);
        item.id = static_cast<UINT>(idOrPopup);
    }
    else
        item.id = static_cast<UINT>(idOrPopup);
    if ((flags & MF_SEPARATOR) == 0 && text != nullptr)
        item.text = text;
    return true;
}

BOOL fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

HMENU buildLocked(const std::vector<platform::MenuTemplateItem>& items, bool popup)
{
    HMENU h = createLocked(popup);
    for (const auto& t : items)
    {
        Item item;
        item.text = t.text;
        item.id = t.id;
        item.flags = t.flags;
        if ((t.flags & MF_POPUP) != 0)
        {
            item.popup = buildLocked(t.items, true);
            item.id = item.popup;
        }
        findLocked(h)->items.push_back(std::move(item));
    }
    return h;
}

void fillStandardSystemMenu(HMENU h)
{
    Menu* m = findLocked(h);
    m->items = {{"&Restore", SC_RESTORE, MF_GRAYED, 0},
                {"&Move", SC_MOVE, 0, 0},
                {"&Size", SC_SIZE, 0, 0},
                {"Mi&nimize", SC_MINIMIZE, 0, 0},
                {"Ma&ximize", SC_MAXIMIZE, 0, 0},
                {"", 0, MF_SEPARATOR, 0},
                {"&Close\tAlt+F4", SC_CLOSE, 0, 0}};
}

// Drops the system menus of windows that are gone.
void sweepSystemMenusLocked()
{
    auto& sys = store().systemMenus;
    for (auto it = sys.begin(); it != sys.end();)
        if (!IsWindow(it->first))
        {
            destroyLocked(it->second);
            it = sys.erase(it);
        }
        else
            ++it;
}

bool isSystemMenuOf(HWND hWnd, HMENU h)
{
    Lock lock(store().mutex);
    auto it = store().systemMenus.find(hWnd);
    return it != store().systemMenus.end() && it->second == h;
}

// ---- the popup menu window and its loop

constexpr UINT kPickMessage = 0x01E5; // wParam: the item's id
constexpr UINT kDismissMessage = 0x01E6;

struct Tracking
{
    HMENU menu = 0;
    bool done = false;
    bool picked = false;
    UINT id = 0;
};

std::mutex g_trackMutex;
std::map<HWND, Tracking*> g_tracking; // the open popups, guarded by g_trackMutex
std::vector<HWND> g_openOrder;

bool itemPickable(HMENU menu, UINT id)
{
    Lock lock(store().mutex);
    Item* it = locateLocked(menu, id, MF_BYCOMMAND);
    return it != nullptr && (it->flags & (MF_GRAYED | MF_DISABLED)) == 0;
}

LRESULT CALLBACK PopupMenuProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tracking* t = nullptr;
    {
        std::lock_guard guard(g_trackMutex);
        auto it = g_tracking.find(hwnd);
        if (it != g_tracking.end())
            t = it->second;
    }
    switch (message)
    {
    case kPickMessage:
        if (t != nullptr && !t->done && itemPickable(t->menu, static_cast<UINT>(wParam)))
        {
            t->done = true;
            t->picked = true;
            t->id = static_cast<UINT>(wParam);
        }
        return 0;
    case kDismissMessage:
    case WM_CLOSE:
        if (t != nullptr)
            t->done = true;
        return 0;
    case WM_KEYDOWN:
        if (wParam == 0x1B && t != nullptr) // Esc
            t->done = true;
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void ensurePopupClass()
{
    static std::once_flag once;
    std::call_once(once, [] { platform::RegisterSystemClass(kPopupMenuClass, PopupMenuProc); });
}

bool postToPopup(HWND hPopup, UINT message, WPARAM wParam)
{
    {
        std::lock_guard guard(g_trackMutex);
        if (g_tracking.find(hPopup) == g_tracking.end())
            return false;
    }
    return PostMessageA(hPopup, message, wParam, 0) != FALSE;
}

} // namespace

HMENU CreateMenu()
{
    Lock lock(store().mutex);
    return createLocked(false);
}

HMENU CreatePopupMenu()
{
    Lock lock(store().mutex);
    return createLocked(true);
}

BOOL DestroyMenu(HMENU hMenu)
{
    Lock lock(store().mutex);
    if (findLocked(hMenu) == nullptr)
        return fail(ERROR_INVALID_MENU_HANDLE);
    // A popup still hanging in another menu leaves it.
    for (auto& [h, m] : store().menus)
        m.items.erase(std::remove_if(m.items.begin(), m.items.end(),
                                     [&](const Item& it) { return it.popup == hMenu; }),
                      m.items.end());
    for (auto it = store().systemMenus.begin(); it != store().systemMenus.end(); ++it)
        if (it->second == hMenu)
        {
            store().systemMenus.erase(it);
            break;
        }
    destroyLocked(hMenu);
    return TRUE;
}

BOOL IsMenu(HMENU hMenu)
{
    Lock lock(store().mutex);
    return findLocked(hMenu) != nullptr ? TRUE : FALSE;
}

HMENU LoadMenuA(HINSTANCE, LPCSTR lpMenuName)
{
    const auto raw = reinterpret_cast<std::uintptr_t>(lpMenuName);
    if (lpMenuName == nullptr || (raw >> 16) != 0)
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND); // menus are entered by id only
        return 0;
    }
    Lock lock(store().mutex);
    auto it = store().templates.find(static_cast<UINT>(raw));
    if (it == store().templates.end())
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    return buildLocked(it->second.items, false);
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    return InsertMenuA(hMenu, 0xFFFFFFFFu, uFlags | MF_BYPOSITION, uIDNewItem, lpNewItem);
}

BOOL InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    Lock lock(store().mutex);
    Menu* m = findLocked(hMenu);
    if (m == nullptr)
        return fail(ERROR_INVALID_MENU_HANDLE);
    Item item;
    if (!makeItem(uFlags, uIDNewItem, lpNewItem, item))
        return fail(ERROR_INVALID_MENU_HANDLE);
    Menu* owner = m;
    std::size_t index = m->items.size();
    if ((uFlags & MF_BYPOSITION) != 0)
        index = std::min<std::size_t>(uPosition, m->items.size());
    else if (!locateLocked(hMenu, uPosition, MF_BYCOMMAND, &owner, &index))
    {
        owner = m;
        index = m->items.size();
    }
    owner->items.insert(owner->items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    return TRUE;
}

BOOL ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    Lock lock(store().mutex);
    Item* it = locateLocked(hMnu, uPosition, uFlags);
    if (it == nullptr)
        return fail(ERROR_INVALID_MENU_HANDLE);
    Item item;
    if (!makeItem(uFlags, uIDNewItem, lpNewItem, item))
        return fail(ERROR_INVALID_MENU_HANDLE);
    *it = std::move(item);
    return TRUE;
}

static BOOL removeItem(HMENU hMenu, UINT uPosition, UINT uFlags, bool destroyPopup)
{
    Lock lock(store().mutex);
    Menu* owner = nullptr;
    std::size_t index = 0;
    if (!locateLocked(hMenu, uPosition, uFlags, &owner, &index))
        return fail(ERROR_INVALID_MENU_HANDLE);
    HMENU popup = owner->items[index].popup;
    owner->items.erase(owner->items.begin() + static_cast<std::ptrdiff_t>(index));
    if (destroyPopup && popup != 0)
        destroyLocked(popup);
    return TRUE;
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags)
{
    return removeItem(hMenu, uPosition, uFlags, true);
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags)
{
    return removeItem(hMenu, uPosition, uFlags, false);
}

HMENU GetSubMenu(HMENU hMenu, int nPos)
{
    Lock lock(store().mutex);
    Menu* m = findLocked(hMenu);
    if (m == nullptr || nPos < 0 || static_cast<std::size_t>(nPos) >= m->items.size())
        return 0;
    return m->items[static_cast<std::size_t>(nPos)].popup;
}

int GetMenuItemCount(HMENU hMenu)
{
    Lock lock(store().mutex);
    Menu* m = findLocked(hMenu);
    if (m == nullptr)
    {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return -1;
    }
    return static_cast<int>(m->items.size());
}

UINT GetMenuItemID(HMENU hMenu, int nPos)
{
    Lock lock(store().mutex);
    Menu* m = findLocked(hMenu);
    if (m == nullptr || nPos < 0 || static_cast<std::size_t>(nPos) >= m->items.size())
        return 0xFFFFFFFFu;
    const Item& it = m->items[static_cast<std::size_t>(nPos)];
    if (it.popup != 0)
        return 0xFFFFFFFFu;
    return (it.flags & MF_SEPARATOR) != 0 ? 0 : it.id;
}

int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags)
{
    Lock lock(store().mutex);
    Item* it = locateLocked(hMenu, uIDItem, flags);
    if (it == nullptr)
        return 0;
    if (lpString == nullptr)
        return static_cast<int>(it->text.size());
    if (cchMax <= 0)
        return 0;
    const std::size_t n =
        std::min<std::size_t>(it->text.size(), static_cast<std::size_t>(cchMax - 1));
    std::memcpy(lpString, it->text.data(), n);
    lpString[n] = '\0';
    return static_cast<int>(n);
}

UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    Lock lock(store().mutex);
    Item* it = locateLocked(hMenu, uIDEnableItem, uEnable);
    if (it == nullptr)
        return 0xFFFFFFFFu;
    const UINT before = it->flags & (MF_GRAYED | MF_DISABLED);
    it->flags = (it->flags & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return before;
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck)
{
    Lock lock(store().mutex);
    Item* it = locateLocked(hMenu, uIDCheckItem, uCheck);
    if (it == nullptr)
        return 0xFFFFFFFFu;
    const DWORD before = it->flags & MF_CHECKED;
    it->flags = (it->flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return before;
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags)
{
    Lock lock(store().mutex);
    Item* it = locateLocked(hMenu, uId, uFlags);
    if (it == nullptr)
        return 0xFFFFFFFFu;
    return it->flags & ~MF_POPUP;
}

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    if (!IsWindow(hWnd))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    Lock lock(store().mutex);
    sweepSystemMenusLocked();
    auto& sys = store().systemMenus;
    auto it = sys.find(hWnd);
    if (bRevert)
    {
        if (it != sys.end())
            fillStandardSystemMenu(it->second);
        return 0;
    }
    if (it == sys.end())
    {
        HMENU h = createLocked(true);
        fillStandardSystemMenu(h);
        it = sys.emplace(hWnd, h).first;
    }
    return it->second;
}

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (lpPoint == nullptr)
        return fail(ERROR_INVALID_PARAMETER);
    Lock lock(store().mutex);
    *lpPoint = store().cursor;
    return TRUE;
}

BOOL SetCursorPos(int X, int Y)
{
    Lock lock(store().mutex);
    store().cursor = POINT{X, Y};
    return TRUE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, LPCRECT)
{
    int count = GetMenuItemCount(hMenu);
    if (count < 0)
        return fail(ERROR_INVALID_MENU_HANDLE);
    if (!IsWindow(hWnd))
        return fail(ERROR_INVALID_WINDOW_HANDLE);
    ensurePopupClass();
    platform::automation::EnsureServing(); // a person can pick from the desktop
    if ((uFlags & TPM_NONOTIFY) == 0)
        SendMessageA(hWnd, WM_INITMENUPOPUP, hMenu, 0);
    // One line per item, as wide as a plain menu; the text of the window is the owner's title.
    const int width = 180, height = 4 + 18 * std::max(count, 1);
    HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupMenuClass, "",
                                 WS_POPUP | WS_BORDER, x, y, width, height, 0, 0, 0, nullptr);
    if (popup == 0)
        return FALSE;
    Tracking tracking;
    tracking.menu = hMenu;
    {
        std::lock_guard guard(g_trackMutex);
        g_tracking[popup] = &tracking;
        g_openOrder.push_back(popup);
    }
    SetWindowLongA(popup, 0, static_cast<LONG>(hMenu));
    ShowWindow(popup, SW_SHOWNA);

    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (!tracking.done)
    {
        if (!IsWindow(hWnd))
            break; // the owner went away: the menu goes with it
        BOOL got = GetMessageA(&msg, 0, 0, 0);
        if (got == 0)
        {
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got < 0)
            break;
        if (msg.message == WM_KEYDOWN && msg.hwnd != popup && msg.wParam == 0x1B)
        {
            tracking.done = true; // Esc anywhere closes the menu
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    {
        std::lock_guard guard(g_trackMutex);
        g_tracking.erase(popup);
        g_openOrder.erase(std::remove(g_openOrder.begin(), g_openOrder.end(), popup),
                          g_openOrder.end());
    }
    DestroyWindow(popup);
    if (quit)
        PostQuitMessage(quitCode);
    if (!tracking.picked || quit)
        return 0;
    if ((uFlags & TPM_RETURNCMD) != 0)
        return static_cast<BOOL>(tracking.id);
    if (IsWindow(hWnd))
        PostMessageA(hWnd, isSystemMenuOf(hWnd, hMenu) ? WM_SYSCOMMAND : WM_COMMAND, tracking.id,
                     0);
    return TRUE;
}

namespace platform
{

void RegisterMenuTemplate(UINT id, MenuTemplate menuTemplate)
{
    Lock lock(store().mutex);
    store().templates[id] = std::move(menuTemplate);
}

std::optional<std::vector<MenuItemInfo>> DescribeMenu(HMENU hMenu)
{
    Lock lock(store().mutex);
    Menu* m = findLocked(hMenu);
    if (m == nullptr)
        return std::nullopt;
    std::vector<MenuItemInfo> out;
    for (const Item& it : m->items)
        out.push_back({it.text, it.popup != 0 ? 0u : it.id, it.flags, it.popup});
    return out;
}

std::string PlainMenuText(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\t')
            break;
        if (text[i] == '&')
        {
            if (i + 1 < text.size() && text[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += text[i];
    }
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::optional<UINT> FindMenuItemId(HMENU hMenu, const std::string& text)
{
    auto items = DescribeMenu(hMenu);
    if (!items)
        return std::nullopt;
    for (int pass = 0; pass < 2; ++pass)
        for (const auto& it : *items)
        {
            if (it.separator())
                continue;
            if (it.popup != 0)
            {
                if (pass == 1)
                    if (auto below = FindMenuItemId(it.popup, text))
                        return below;
                continue;
            }
            if (it.text == text || (pass == 1 && ::strcasecmp(PlainMenuText(it.text).c_str(),
                                                              PlainMenuText(text).c_str()) == 0))
                return it.id;
        }
    return std::nullopt;
}

std::vector<HWND> OpenPopupMenus()
{
    std::lock_guard guard(g_trackMutex);
    return std::vector<HWND>(g_openOrder.rbegin(), g_openOrder.rend());
}

HMENU PopupMenuOf(HWND hPopup)
{
    std::lock_guard guard(g_trackMutex);
    auto it = g_tracking.find(hPopup);
    return it == g_tracking.end() ? 0 : it->second->menu;
}

bool PickMenuItem(HWND hPopup, UINT id)
{
    HMENU menu = PopupMenuOf(hPopup);
    if (menu == 0 || !itemPickable(menu, id))
        return false;
    return postToPopup(hPopup, kPickMessage, id);
}

bool PickMenuItemByText(HWND hPopup, const std::string& text)
{
    auto id = FindMenuItemId(PopupMenuOf(hPopup), text);
    return id && PickMenuItem(hPopup, *id);
}

bool DismissPopupMenu(HWND hPopup)
{
    return postToPopup(hPopup, kDismissMessage, 0);
}

bool PickSystemMenuItem(HWND hWnd, UINT id)
{
    HMENU sys = GetSystemMenu(hWnd, FALSE);
    if (sys == 0 || !itemPickable(sys, id))
        return false;
    return PostMessageA(hWnd, WM_SYSCOMMAND, id, 0) != FALSE;
}

} // namespace platform
