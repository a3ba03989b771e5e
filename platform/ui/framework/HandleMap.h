#pragma once
// Which CWnd stands for which window: the permanent objects (attached by the program) and the
// temporary ones FromHandle makes for windows without one. Process-wide; a temporary object
// lives until its window is destroyed (or, for another process's window, until the end).

#include "platform/ui/UserTypes.h"

#include <memory>
#include <mutex>
#include <unordered_map>

class CWnd;

namespace platform::afx
{

class HandleMap
{
public:
    static HandleMap& Instance();

    CWnd* Permanent(HWND hwnd);
    // False when the window already has a permanent object.
    bool AttachPermanent(HWND hwnd, CWnd* wnd);
    void DetachPermanent(HWND hwnd, CWnd* wnd);
    // The permanent object, else a temporary one (made on first use).
    CWnd* FromHandle(HWND hwnd);
    // The window is gone: its temporary object goes too.
    void WindowGone(HWND hwnd);

private:
    std::mutex m_mutex;
    std::unordered_map<HWND, CWnd*> m_permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> m_temporary;
};

} // namespace platform::afx
