#include "platform/ui/framework/Menu.h"

#include "platform/ui/framework/Wnd.h"

#include <map>
#include <memory>
#include <mutex>

namespace
{

struct MenuMap
{
    std::mutex mutex;
    std::map<HMENU, CMenu*> permanent;
    std::map<HMENU, std::unique_ptr<CMenu>> temporary;
};

MenuMap& menuMap()
{
    static MenuMap* instance = new MenuMap;
    return *instance;
}

void forget(HMENU h, CMenu* menu)
{
    std::lock_guard guard(menuMap().mutex);
    auto it = menuMap().permanent.find(h);
    if (it != menuMap().permanent.end() && it->second == menu)
        menuMap().permanent.erase(it);
}

} // namespace

CMenu::CMenu() = default;

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == 0)
        return nullptr;
    MenuMap& map = menuMap();
    std::unique_ptr<CMenu> stale;
    std::lock_guard guard(map.mutex);
    // Temporaries of menus that were destroyed meanwhile go now.
    for (auto it = map.temporary.begin(); it != map.temporary.end();)
        if (!::IsMenu(it->first))
        {
            it->second->m_hMenu = 0;
            it = map.temporary.erase(it);
        }
        else
            ++it;
    if (auto it = map.permanent.find(hMenu); it != map.permanent.end())
        return it->second;
    if (!::IsMenu(hMenu))
        return nullptr;
    auto& slot = map.temporary[hMenu];
    if (!slot)
    {
        slot = std::make_unique<CMenu>();
        slot->m_hMenu = hMenu; // not in the permanent map: a temporary never destroys the menu
    }
    return slot.get();
}

BOOL CMenu::Attach(HMENU hNewMenu)
{
    if (m_hMenu != 0 || hNewMenu == 0)
        return FALSE;
    std::lock_guard guard(menuMap().mutex);
    if (menuMap().permanent.count(hNewMenu) != 0)
        return FALSE;
    m_hMenu = hNewMenu;
    menuMap().permanent[hNewMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    if (h != 0)
        forget(h, this);
    m_hMenu = 0;
    return h;
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return Attach(::LoadMenuA(0, MAKEINTRESOURCEA(nIDResource)));
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    return Attach(::LoadMenuA(0, lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == 0)
        return FALSE;
    bool owned;
    {
        std::lock_guard guard(menuMap().mutex);
        auto it = menuMap().permanent.find(m_hMenu);
        owned = it != menuMap().permanent.end() && it->second == this;
    }
    if (!owned)
    {
        // A temporary object: it lets go of the handle, the sweep of FromHandle drops it.
        HMENU h = m_hMenu;
        m_hMenu = 0;
        return ::DestroyMenu(h);
    }
    HMENU h = Detach();
    return ::DestroyMenu(h);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

UINT CMenu::GetMenuItemCount() const
{
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int n = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    std::string buffer(static_cast<std::size_t>(n) + 1, '\0');
    ::GetMenuStringA(m_hMenu, nIDItem, buffer.data(), n + 1, nFlags);
    rString = buffer.c_str();
    return n;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd != nullptr ? pWnd->GetSafeHwnd() : 0,
                            lpRect);
}

CMenu* AfxGetSystemMenu(HWND hWnd, BOOL bRevert)
{
    return CMenu::FromHandle(::GetSystemMenu(hWnd, bRevert));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return AfxGetSystemMenu(m_hWnd, bRevert);
}
