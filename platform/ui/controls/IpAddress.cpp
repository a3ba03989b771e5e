// The IP address field: four fields, each blank or a byte. The window text is the dotted form
// (blank fields empty), and setting the text fills the fields from a dotted form.

#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/ControlNotify.h"
#include "platform/ui/controls/ControlProcs.h"
#include "platform/ui/controls/ControlState.h"

#include <cctype>
#include <string>

namespace platform::controls
{
namespace
{

struct Field
{
    bool blank = true;
    BYTE value = 0;
    BYTE low = 0;
    BYTE high = 255;
};

struct IpState
{
    Field fields[4];
};

ControlStates<IpState>& states()
{
    static auto* s = new ControlStates<IpState>;
    return *s;
}

void showFields(HWND hwnd, const IpState& state)
{
    std::string text;
    for (int i = 0; i < 4; ++i)
    {
        if (i > 0)
            text += '.';
        if (!state.fields[i].blank)
            text += std::to_string(state.fields[i].value);
    }
    SetControlText(hwnd, text);
    InvalidateRect(hwnd, nullptr, FALSE);
}

// Fills the fields from "a.b.c.d"; a field that is empty or not a number up to 255 is blank.
void parseFields(IpState& state, const std::string& text)
{
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i)
    {
        const std::size_t dot = text.find('.', start);
        const std::string part =
            start > text.size()
                ? std::string()
                : text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        Field& f = state.fields[i];
        f.blank = true;
        if (!part.empty() && part.size() <= 3)
        {
            bool digits = true;
            for (char c : part)
                digits = digits && std::isdigit(static_cast<unsigned char>(c));
            if (digits && std::stoi(part) <= 255)
            {
                f.blank = false;
                f.value = static_cast<BYTE>(std::stoi(part));
            }
        }
        start = dot == std::string::npos ? text.size() + 1 : dot + 1;
    }
}

} // namespace

LRESULT CALLBACK IpAddressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        states().Erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto state = states().Get(hwnd);
    switch (message)
    {
    case WM_CREATE:
        parseFields(*state, ControlText(hwnd));
        showFields(hwnd, *state);
        return 0;
    case IPM_SETADDRESS:
    {
        const DWORD address = static_cast<DWORD>(lParam);
        for (int i = 0; i < 4; ++i)
        {
            state->fields[i].blank = false;
            state->fields[i].value = static_cast<BYTE>((address >> (24 - 8 * i)) & 0xFF);
        }
        showFields(hwnd, *state);
        return TRUE;
    }
    case IPM_GETADDRESS:
    {
        DWORD address = 0;
        int filled = 0;
        for (int i = 0; i < 4; ++i)
            if (!state->fields[i].blank)
            {
                address |= static_cast<DWORD>(state->fields[i].value) << (24 - 8 * i);
                ++filled;
            }
        if (auto* out = platform::PointerFromParam<DWORD>(lParam))
            *out = address;
        return filled;
    }
    case IPM_CLEARADDRESS:
        for (Field& f : state->fields)
            f.blank = true;
        showFields(hwnd, *state);
        return 0;
    case IPM_ISBLANK:
        for (const Field& f : state->fields)
            if (!f.blank)
                return FALSE;
        return TRUE;
    case IPM_SETRANGE:
    {
        if (wParam > 3)
            return FALSE;
        Field& f = state->fields[wParam];
        f.low = static_cast<BYTE>(lParam & 0xFF);
        f.high = static_cast<BYTE>((lParam >> 8) & 0xFF);
        return TRUE;
    }
    case IPM_SETFOCUS:
        SetFocus(hwnd);
        return 0;
    case WM_SETTEXT:
    {
        const char* text = platform::PointerFromParam<const char>(lParam);
        parseFields(*state, text != nullptr ? text : "");
        showFields(hwnd, *state);
        return TRUE;
    }
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
