#pragma once
// The windows of this process, by handle. Every field of a record is read and changed under the
// table's lock; window procedures are always called without it.

#include "platform/ui/UserTypes.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform::ui
{

struct WindowRecord
{
    HWND hwnd = 0;
    DWORD threadId = 0;
    std::string className;
    WNDPROC proc = nullptr;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = 0; // the parent of a child window, the owner of a top-level one
    UINT id = 0;
    LONG userData = 0;
    std::map<int, LONG> extra; // GetWindowLongA with non-negative indexes
    RECT rect{}; // a child's in its parent's client coordinates, a top-level one's on the screen
    RECT clientInset{}; // the nonclient area on each side, as WM_NCCALCSIZE left it
    HFONT font = 0;     // WM_SETFONT's, for DefWindowProcA
    HICON iconSmall = 0;
    HICON iconBig = 0;
    bool published = false; // in the machine's directory of top-level windows
    bool destroying = false;
    bool dialogEnded = false; // EndDialog was called
    INT_PTR dialogResult = 0;
    std::uint64_t order = 0; // creation order

    bool isChild() const;
};

class WindowTable
{
public:
    static WindowTable& Instance();

    void Insert(WindowRecord record);
    void Remove(HWND hwnd);
    bool Contains(HWND hwnd) const;
    // A copy of the record.
    std::optional<WindowRecord> Get(HWND hwnd) const;
    // Runs fn on the record under the lock; false when there is none.
    bool Update(HWND hwnd, const std::function<void(WindowRecord&)>& fn);

    // In creation order.
    std::vector<HWND> Children(HWND parent) const;
    std::vector<HWND> Descendants(HWND parent) const;
    std::vector<HWND> TopLevel() const;
    std::vector<HWND> OwnedBy(HWND owner) const;
    std::vector<HWND> OfThread(DWORD threadId) const;
    // The first record (creation order) for which pred holds.
    std::optional<WindowRecord>
    FindFirst(const std::function<bool(const WindowRecord&)>& pred) const;
    std::size_t Count() const;
    // Handles of this process, including those of windows that are gone.
    bool EverHeld(HWND hwnd) const;

private:
    mutable std::mutex m_mutex;
    std::map<HWND, WindowRecord> m_windows;
    std::set<HWND> m_everHeld;
    std::uint64_t m_order = 0;

    std::vector<HWND> sortedLocked(const std::function<bool(const WindowRecord&)>& pred) const;
};

// The window's procedure, called without any lock; 0 when the window is gone. Counts as a
// dispatch of the calling thread.
LRESULT CallWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Drops the windows of a thread that ends, without messages (as the platform does).
void ForgetThreadWindows(DWORD threadId);

} // namespace platform::ui
