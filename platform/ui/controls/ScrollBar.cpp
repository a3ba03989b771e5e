// Scroll bar controls: a range and a position kept inside it.

#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/controls/ControlProcs.h"
#include "platform/ui/controls/ControlState.h"

#include <algorithm>

namespace platform::controls
{
namespace
{

struct ScrollBarState
{
    int min = 0;
    int max = 100;
    int pos = 0;
};

ControlStates<ScrollBarState>& states()
{
    static auto* s = new ControlStates<ScrollBarState>;
    return *s;
}

} // namespace

LRESULT CALLBACK ScrollBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        states().Erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto state = states().Get(hwnd);
    switch (message)
    {
    case SBM_SETPOS:
    {
        const int previous = state->pos;
        state->pos = std::max(state->min, std::min(static_cast<int>(wParam), state->max));
        if (lParam != 0)
            InvalidateRect(hwnd, nullptr, TRUE);
        return previous;
    }
    case SBM_GETPOS:
        return state->pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    {
        const int previous = state->pos;
        state->min = static_cast<int>(wParam);
        state->max = static_cast<int>(lParam);
        state->pos = std::max(state->min, std::min(state->pos, state->max));
        if (message == SBM_SETRANGEREDRAW)
            InvalidateRect(hwnd, nullptr, TRUE);
        return previous;
    }
    case SBM_GETRANGE:
        if (auto* low = platform::PointerFromParam<int>(static_cast<LPARAM>(wParam)))
            *low = state->min;
        if (auto* high = platform::PointerFromParam<int>(lParam))
            *high = state->max;
        return 0;
    case SBM_ENABLE_ARROWS:
        return TRUE;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
