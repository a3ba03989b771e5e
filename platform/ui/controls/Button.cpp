// Push buttons, check boxes, radio buttons and group boxes.

#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/controls/ControlNotify.h"
#include "platform/ui/controls/ControlProcs.h"
#include "platform/ui/controls/ControlState.h"
#include "platform/ui/internal/WindowTable.h"

#include <strings.h>

namespace platform::controls
{
namespace
{

struct ButtonState
{
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool pressedByMouse = false; // the left button went down on it and is not up yet
    HANDLE icon = 0;
    HANDLE bitmap = 0;
};

ControlStates<ButtonState>& states()
{
    static auto* s = new ControlStates<ButtonState>;
    return *s;
}

DWORD buttonType(HWND hwnd)
{
    return ControlStyle(hwnd) & BS_TYPEMASK;
}

bool isRadio(DWORD type)
{
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool isCheckable(DWORD type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE || isRadio(type);
}

bool isButtonClass(HWND hwnd)
{
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return ::strcasecmp(name, "Button") == 0;
}

// The siblings of the button's group: from the nearest sibling at or before it that starts a
// group (WS_GROUP) up to the next one that starts a group.
std::vector<HWND> groupOf(HWND button)
{
    HWND parent = GetParent(button);
    if (parent == 0)
        return {button};
    const std::vector<HWND> siblings = platform::ui::WindowTable::Instance().Children(parent);
    std::size_t self = 0;
    while (self < siblings.size() && siblings[self] != button)
        ++self;
    if (self == siblings.size())
        return {button};
    std::size_t first = self;
    while (first > 0 && (ControlStyle(siblings[first]) & WS_GROUP) == 0)
        --first;
    std::size_t end = self + 1;
    while (end < siblings.size() && (ControlStyle(siblings[end]) & WS_GROUP) == 0)
        ++end;
    return {siblings.begin() + static_cast<std::ptrdiff_t>(first),
            siblings.begin() + static_cast<std::ptrdiff_t>(end)};
}

void setCheck(HWND hwnd, ButtonState& state, UINT check)
{
    const DWORD type = buttonType(hwnd);
    if (!isCheckable(type))
        return;
    if (type == BS_3STATE || type == BS_AUTO3STATE)
        state.check = check > BST_INDETERMINATE ? BST_INDETERMINATE : check;
    else
        state.check = check != BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED;
    InvalidateRect(hwnd, nullptr, FALSE);
}

// What a click changes before BN_CLICKED goes out.
void applyClick(HWND hwnd, ButtonState& state)
{
    switch (buttonType(hwnd))
    {
    case BS_AUTOCHECKBOX:
        setCheck(hwnd, state, state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        setCheck(hwnd, state, (state.check + 1) % 3);
        break;
    case BS_AUTORADIOBUTTON:
        for (HWND other : groupOf(hwnd))
            if (other != hwnd && isButtonClass(other) && isRadio(buttonType(other)))
                SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
        setCheck(hwnd, state, BST_CHECKED);
        break;
    default:
        break;
    }
}

// Disabled buttons and group boxes take no clicks.
bool takesClicks(HWND hwnd)
{
    return IsWindowEnabled(hwnd) && buttonType(hwnd) != BS_GROUPBOX;
}

bool overButton(HWND hwnd, LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(static_cast<DWORD>(lParam)));
    const int y = static_cast<short>(HIWORD(static_cast<DWORD>(lParam)));
    RECT client{};
    GetClientRect(hwnd, &client);
    return x >= client.left && y >= client.top && x < client.right && y < client.bottom;
}

// The auto styles change their check, then the parent hears BN_CLICKED.
void click(HWND hwnd, ButtonState& state)
{
    applyClick(hwnd, state);
    NotifyParentCommand(hwnd, BN_CLICKED);
}

} // namespace

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        states().Erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto state = states().Get(hwnd);
    switch (message)
    {
    case BM_GETCHECK:
        return isCheckable(buttonType(hwnd)) ? static_cast<LRESULT>(state->check) : 0;
    case BM_SETCHECK:
        setCheck(hwnd, *state, static_cast<UINT>(wParam));
        return 0;
    case BM_GETSTATE:
        return static_cast<LRESULT>(state->check | (state->pushed ? BST_PUSHED : 0) |
                                    (state->focused ? BST_FOCUS : 0));
    case BM_SETSTATE:
        state->pushed = wParam != 0;
        return 0;
    case BM_SETSTYLE:
    {
        const DWORD style = ControlStyle(hwnd);
        SetWindowLongA(
            hwnd, GWL_STYLE,
            static_cast<LONG>((style & 0xFFFF0000u) | LOWORD(static_cast<DWORD>(wParam))));
        if (LOWORD(static_cast<DWORD>(lParam)) != 0)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case BM_CLICK:
        // A click the way the mouse makes it: the button takes the focus, then it is clicked.
        if (!takesClicks(hwnd))
            return 0;
        if (GetFocus() != hwnd)
            SetFocus(hwnd);
        if (!IsWindow(hwnd))
            return 0;
        click(hwnd, *state);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Pressed: the button takes the focus and looks pushed until the button comes up.
        if (!takesClicks(hwnd))
            return 0;
        if (GetFocus() != hwnd)
            SetFocus(hwnd);
        if (!IsWindow(hwnd))
            return 0;
        state->pressedByMouse = true;
        state->pushed = true;
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP:
    {
        // Released over the button after being pressed on it: a click. Released elsewhere,
        // or disabled meanwhile: nothing.
        const bool pressed = state->pressedByMouse;
        state->pressedByMouse = false;
        if (state->pushed)
        {
            state->pushed = false;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        if (pressed && takesClicks(hwnd) && overButton(hwnd, lParam))
            click(hwnd, *state);
        return 0;
    }
    case BM_SETIMAGE:
    {
        HANDLE& slot = wParam == IMAGE_BITMAP ? state->bitmap : state->icon;
        const HANDLE previous = slot;
        slot = static_cast<HANDLE>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return static_cast<LRESULT>(previous);
    }
    case BM_GETIMAGE:
        return static_cast<LRESULT>(wParam == IMAGE_BITMAP ? state->bitmap : state->icon);
    case WM_SETFOCUS:
        state->focused = true;
        if ((ControlStyle(hwnd) & BS_NOTIFY) != 0)
            NotifyParentCommand(hwnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        state->focused = false;
        if ((ControlStyle(hwnd) & BS_NOTIFY) != 0)
            NotifyParentCommand(hwnd, BN_KILLFOCUS);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
