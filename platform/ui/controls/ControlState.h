#pragma once
// The state of each window of one control class, by handle. A control procedure takes its
// window's state as a shared pointer, so the state stays alive while a notification it sends
// re-enters the control or destroys it; the state is dropped at WM_NCDESTROY.

#include "platform/base/WinTypes.h"

#include <map>
#include <memory>
#include <mutex>

namespace platform::controls
{

template <class State> class ControlStates
{
public:
    // The window's state, made on first use.
    std::shared_ptr<State> Get(HWND hwnd)
    {
        std::lock_guard lock(m_mutex);
        auto& slot = m_states[hwnd];
        if (!slot)
            slot = std::make_shared<State>();
        return slot;
    }
    // The window's state when it has one, else null.
    std::shared_ptr<State> Find(HWND hwnd) const
    {
        std::lock_guard lock(m_mutex);
        auto it = m_states.find(hwnd);
        return it == m_states.end() ? nullptr : it->second;
    }
    void Erase(HWND hwnd)
    {
        std::shared_ptr<State> last;
        {
            std::lock_guard lock(m_mutex);
            auto it = m_states.find(hwnd);
            if (it == m_states.end())
                return;
            last = std::move(it->second);
            m_states.erase(it);
        }
        // The state is released outside the lock: its destructor may call back into the layer.
    }

private:
    mutable std::mutex m_mutex;
    std::map<HWND, std::shared_ptr<State>> m_states;
};

} // namespace platform::controls
