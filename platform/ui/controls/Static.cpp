// Static texts, icons and pictures.

#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/controls/ControlNotify.h"
#include "platform/ui/controls/ControlProcs.h"
#include "platform/ui/controls/ControlState.h"

namespace platform::controls
{
namespace
{

struct StaticState
{
    UINT imageType = IMAGE_BITMAP;
    HANDLE image = 0;
};

ControlStates<StaticState>& states()
{
    static auto* s = new ControlStates<StaticState>;
    return *s;
}

// One image at a time, as on the platform; the previous one of the same kind is returned.
LRESULT setImage(HWND hwnd, StaticState& state, UINT type, HANDLE image)
{
    const HANDLE previous = state.imageType == type ? state.image : 0;
    state.imageType = type;
    state.image = image;
    InvalidateRect(hwnd, nullptr, TRUE);
    return static_cast<LRESULT>(previous);
}

} // namespace

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        states().Erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message)
    {
    case STM_SETICON:
        return setImage(hwnd, *states().Get(hwnd), IMAGE_ICON, static_cast<HANDLE>(wParam));
    case STM_GETICON:
    {
        auto state = states().Get(hwnd);
        return state->imageType == IMAGE_ICON ? static_cast<LRESULT>(state->image) : 0;
    }
    case STM_SETIMAGE:
        return setImage(hwnd, *states().Get(hwnd), static_cast<UINT>(wParam),
                        static_cast<HANDLE>(lParam));
    case STM_GETIMAGE:
    {
        auto state = states().Get(hwnd);
        return state->imageType == wParam ? static_cast<LRESULT>(state->image) : 0;
    }
    case WM_LBUTTONDOWN:
        if ((ControlStyle(hwnd) & SS_NOTIFY) != 0)
            NotifyParentCommand(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if ((ControlStyle(hwnd) & SS_NOTIFY) != 0)
            NotifyParentCommand(hwnd, STN_DBLCLK);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
