// Progress bars: a range, a position kept inside it and a step.

#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/ControlProcs.h"
#include "platform/ui/controls/ControlState.h"

#include <algorithm>

namespace platform::controls
{
namespace
{

struct ProgressState
{
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
    LRESULT barColor = static_cast<LRESULT>(CLR_DEFAULT);
    LRESULT bkColor = static_cast<LRESULT>(CLR_DEFAULT);
};

ControlStates<ProgressState>& states()
{
    static auto* s = new ControlStates<ProgressState>;
    return *s;
}

int clamped(const ProgressState& state, int pos)
{
    return std::max(state.low, std::min(pos, state.high));
}

// The previous position; a redraw when it moved.
LRESULT moveTo(HWND hwnd, ProgressState& state, int pos)
{
    const int previous = state.pos;
    state.pos = clamped(state, pos);
    if (state.pos != previous)
        InvalidateRect(hwnd, nullptr, FALSE);
    return previous;
}

LRESULT setRange(HWND hwnd, ProgressState& state, int low, int high)
{
    const LRESULT previous =
        static_cast<LRESULT>(MAKELONG(static_cast<WORD>(state.low), static_cast<WORD>(state.high)));
    state.low = low;
    state.high = high;
    state.pos = clamped(state, state.pos);
    InvalidateRect(hwnd, nullptr, TRUE);
    return previous;
}

} // namespace

LRESULT CALLBACK ProgressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        states().Erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto state = states().Get(hwnd);
    switch (message)
    {
    case PBM_SETRANGE:
        // Both ends are 16-bit unsigned values.
        return setRange(hwnd, *state, LOWORD(static_cast<DWORD>(lParam)),
                        HIWORD(static_cast<DWORD>(lParam)));
    case PBM_SETRANGE32:
        return setRange(hwnd, *state, static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE:
        if (auto* range = platform::PointerFromParam<PBRANGE>(lParam))
        {
            range->iLow = state->low;
            range->iHigh = state->high;
        }
        return wParam != 0 ? state->low : state->high;
    case PBM_SETPOS:
        return moveTo(hwnd, *state, static_cast<int>(wParam));
    case PBM_GETPOS:
        return state->pos;
    case PBM_DELTAPOS:
        return moveTo(hwnd, *state, state->pos + static_cast<int>(wParam));
    case PBM_SETSTEP:
    {
        const int previous = state->step;
        state->step = static_cast<int>(wParam);
        return previous;
    }
    case PBM_STEPIT:
    {
        // Past the end the bar starts over from the beginning.
        const int previous = state->pos;
        int next = state->pos + state->step;
        const int span = state->high - state->low;
        if (span > 0 && next > state->high)
            next = state->low + (next - state->high) % span;
        else if (span > 0 && next < state->low)
            next = state->high - (state->low - next) % span;
        moveTo(hwnd, *state, next);
        return previous;
    }
    case PBM_SETBARCOLOR:
    {
        const LRESULT previous = state->barColor;
        state->barColor = lParam;
        return previous;
    }
    case PBM_SETBKCOLOR:
    {
        const LRESULT previous = state->bkColor;
        state->bkColor = lParam;
        return previous;
    }
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
