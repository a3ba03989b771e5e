#include "platform/ui/framework/HandleMap.h"

#include "platform/ui/framework/Wnd.h"

namespace platform::afx
{

HandleMap& HandleMap::Instance()
{
    static HandleMap* instance = new HandleMap;
    return *instance;
}

CWnd* HandleMap::Permanent(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    auto it = m_permanent.find(hwnd);
    return it == m_permanent.end() ? nullptr : it->second;
}

bool HandleMap::AttachPermanent(HWND hwnd, CWnd* wnd)
{
    std::lock_guard lock(m_mutex);
    return m_permanent.emplace(hwnd, wnd).second;
}

void HandleMap::DetachPermanent(HWND hwnd, CWnd* wnd)
{
    std::lock_guard lock(m_mutex);
    auto it = m_permanent.find(hwnd);
    if (it != m_permanent.end() && it->second == wnd)
        m_permanent.erase(it);
}

CWnd* HandleMap::FromHandle(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    if (auto it = m_permanent.find(hwnd); it != m_permanent.end())
        return it->second;
    auto& temporary = m_temporary[hwnd];
    if (!temporary)
    {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = hwnd;
    }
    return temporary.get();
}

void HandleMap::WindowGone(HWND hwnd)
{
    std::unique_ptr<CWnd> temporary;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_temporary.find(hwnd);
        if (it == m_temporary.end())
            return;
        temporary = std::move(it->second);
        m_temporary.erase(it);
    }
    temporary->m_hWnd = 0; // not its window: the destructor leaves it alone
}

} // namespace platform::afx
