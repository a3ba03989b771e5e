#include "platform/ui/internal/WindowTable.h"

#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/DesktopLink.h"
#include "platform/ui/internal/Hooks.h"
#include "platform/ui/internal/ThreadQueue.h"

#include <algorithm>

namespace platform::ui
{

bool WindowRecord::isChild() const
{
    return (style & WS_CHILD) != 0;
}

WindowTable& WindowTable::Instance()
{
    static WindowTable* instance = new WindowTable; // used until the last thread ends
    return *instance;
}

void WindowTable::Insert(WindowRecord record)
{
    std::lock_guard lock(m_mutex);
    record.order = ++m_order;
    HWND hwnd = record.hwnd;
    m_everHeld.insert(hwnd);
    m_windows[hwnd] = std::move(record);
}

void WindowTable::Remove(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    m_windows.erase(hwnd);
}

bool WindowTable::Contains(HWND hwnd) const
{
    std::lock_guard lock(m_mutex);
    return m_windows.count(hwnd) != 0;
}

std::optional<WindowRecord> WindowTable::Get(HWND hwnd) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end())
        return std::nullopt;
    return it->second;
}

bool WindowTable::Update(HWND hwnd, const std::function<void(WindowRecord&)>& fn)
{
    std::lock_guard lock(m_mutex);
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end())
        return false;
    fn(it->second);
    return true;
}

std::vector<HWND>
WindowTable::sortedLocked(const std::function<bool(const WindowRecord&)>& pred) const
{
    std::vector<const WindowRecord*> found;
    for (const auto& [hwnd, record] : m_windows)
        if (pred(record))
            found.push_back(&record);
    std::sort(found.begin(), found.end(),
              [](const WindowRecord* a, const WindowRecord* b) { return a->order < b->order; });
    std::vector<HWND> result;
    result.reserve(found.size());
    for (const WindowRecord* r : found)
        result.push_back(r->hwnd);
    return result;
}

std::vector<HWND> WindowTable::Children(HWND parent) const
{
    std::lock_guard lock(m_mutex);
    return sortedLocked([&](const WindowRecord& r) { return r.isChild() && r.parent == parent; });
}

std::vector<HWND> WindowTable::Descendants(HWND parent) const
{
    std::vector<HWND> result;
    std::vector<HWND> pending{parent};
    while (!pending.empty())
    {
        HWND h = pending.back();
        pending.pop_back();
        for (HWND child : Children(h))
        {
            result.push_back(child);
            pending.push_back(child);
        }
    }
    return result;
}

std::vector<HWND> WindowTable::TopLevel() const
{
    std::lock_guard lock(m_mutex);
    return sortedLocked([](const WindowRecord& r) { return !r.isChild(); });
}

std::vector<HWND> WindowTable::OwnedBy(HWND owner) const
{
    std::lock_guard lock(m_mutex);
    return sortedLocked([&](const WindowRecord& r) { return !r.isChild() && r.parent == owner; });
}

std::vector<HWND> WindowTable::OfThread(DWORD threadId) const
{
    std::lock_guard lock(m_mutex);
    return sortedLocked([&](const WindowRecord& r) { return r.threadId == threadId; });
}

std::optional<WindowRecord>
WindowTable::FindFirst(const std::function<bool(const WindowRecord&)>& pred) const
{
    std::lock_guard lock(m_mutex);
    auto found = sortedLocked(pred);
    if (found.empty())
        return std::nullopt;
    return m_windows.at(found.front());
}

std::size_t WindowTable::Count() const
{
    std::lock_guard lock(m_mutex);
    return m_windows.size();
}

bool WindowTable::EverHeld(HWND hwnd) const
{
    std::lock_guard lock(m_mutex);
    return m_everHeld.count(hwnd) != 0;
}

LRESULT CallWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC proc = nullptr;
    WindowTable::Instance().Update(hwnd, [&](WindowRecord& r) { proc = r.proc; });
    if (proc == nullptr)
        return 0;
    if (auto queue = CurrentQueueIfAny())
        ++queue->dispatched;
    return proc(hwnd, message, wParam, lParam);
}

void ForgetThreadWindows(DWORD threadId)
{
    auto& table = WindowTable::Instance();
    for (HWND hwnd : table.OfThread(threadId))
    {
        auto record = table.Get(hwnd);
        table.Remove(hwnd);
        if (record && record->published)
            WithdrawFromDirectory(hwnd);
        NotifyWindowGone(hwnd);
    }
}

} // namespace platform::ui
