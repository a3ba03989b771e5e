// Trackbars (sliders): a range, a position kept inside it, line and page sizes, a selection
// range and tick marks. Moving the thumb by hand is in UserActions.h; the messages themselves
// tell the parent nothing.

#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/ControlNotify.h"
#include "platform/ui/controls/ControlProcs.h"
#include "platform/ui/controls/ControlState.h"

#include <algorithm>
#include <set>

namespace platform::controls
{
namespace
{

struct TrackbarState
{
    LONG min = 0;
    LONG max = 100;
    LONG pos = 0;
    LONG lineSize = 1;
    LONG pageSize = 20; // a fifth of the default range
    LONG selStart = 0;
    LONG selEnd = 0;
    LONG ticFreq = 1;
    std::set<LONG> tics;
    HWND buddies[2] = {0, 0};
    int thumbLength = 20;
};

ControlStates<TrackbarState>& states()
{
    static auto* s = new ControlStates<TrackbarState>;
    return *s;
}

LONG clamped(const TrackbarState& state, LONG pos)
{
    return std::max(state.min, std::min(pos, state.max));
}

void redrawIf(HWND hwnd, WPARAM redraw)
{
    if (redraw != 0)
        InvalidateRect(hwnd, nullptr, TRUE);
}

} // namespace

LRESULT CALLBACK TrackbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        states().Erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto state = states().Get(hwnd);
    const DWORD packed = static_cast<DWORD>(lParam);
    switch (message)
    {
    case TBM_GETPOS:
        return state->pos;
    case TBM_SETPOS:
        state->pos = clamped(*state, lParam);
        redrawIf(hwnd, wParam);
        return 0;
    case TBM_SETRANGE:
        // Both ends are 16-bit signed values.
        state->min = static_cast<SHORT>(LOWORD(packed));
        state->max = static_cast<SHORT>(HIWORD(packed));
        state->pos = clamped(*state, state->pos);
        redrawIf(hwnd, wParam);
        return 0;
    case TBM_SETRANGEMIN:
        state->min = lParam;
        state->pos = clamped(*state, state->pos);
        redrawIf(hwnd, wParam);
        return 0;
    case TBM_SETRANGEMAX:
        state->max = lParam;
        state->pos = clamped(*state, state->pos);
        redrawIf(hwnd, wParam);
        return 0;
    case TBM_GETRANGEMIN:
        return state->min;
    case TBM_GETRANGEMAX:
        return state->max;
    case TBM_SETLINESIZE:
    {
        const LONG previous = state->lineSize;
        state->lineSize = lParam;
        return previous;
    }
    case TBM_GETLINESIZE:
        return state->lineSize;
    case TBM_SETPAGESIZE:
    {
        const LONG previous = state->pageSize;
        state->pageSize = lParam;
        return previous;
    }
    case TBM_GETPAGESIZE:
        return state->pageSize;
    case TBM_SETSEL:
        state->selStart = static_cast<SHORT>(LOWORD(packed));
        state->selEnd = static_cast<SHORT>(HIWORD(packed));
        redrawIf(hwnd, wParam);
        return 0;
    case TBM_SETSELSTART:
        state->selStart = lParam;
        redrawIf(hwnd, wParam);
        return 0;
    case TBM_SETSELEND:
        state->selEnd = lParam;
        redrawIf(hwnd, wParam);
        return 0;
    case TBM_GETSELSTART:
        return state->selStart;
    case TBM_GETSELEND:
        return state->selEnd;
    case TBM_CLEARSEL:
        state->selStart = state->selEnd = 0;
        redrawIf(hwnd, wParam);
        return 0;
    case TBM_SETTIC:
        if (lParam < state->min || lParam > state->max)
            return FALSE;
        state->tics.insert(lParam);
        return TRUE;
    case TBM_GETTIC:
    {
        const int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(state->tics.size()))
            return -1;
        return *std::next(state->tics.begin(), i);
    }
    case TBM_CLEARTICS:
        state->tics.clear();
        redrawIf(hwnd, wParam);
        return 0;
    case TBM_GETNUMTICS:
        // The explicit ticks plus the two ends.
        return (ControlStyle(hwnd) & TBS_NOTICKS) != 0
                   ? 0
                   : static_cast<LRESULT>(state->tics.size()) + 2;
    case TBM_SETTICFREQ:
        state->ticFreq = static_cast<LONG>(wParam);
        return 0;
    case TBM_SETTHUMBLENGTH:
        state->thumbLength = static_cast<int>(wParam);
        return 0;
    case TBM_GETTHUMBLENGTH:
        return state->thumbLength;
    case TBM_SETBUDDY:
    {
        HWND& slot = state->buddies[wParam != 0 ? 0 : 1];
        const HWND previous = slot;
        slot = static_cast<HWND>(lParam);
        return static_cast<LRESULT>(previous);
    }
    case TBM_GETBUDDY:
        return static_cast<LRESULT>(state->buddies[wParam != 0 ? 0 : 1]);
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
