// Edit fields. The text is the window's own; the field keeps its limit, password character,
// selection and the modified flag. Typed characters replace the selection (the caret sits at
// the end of the text unless EM_SETSEL moves it).

#include "platform/ui/Messaging.h"
#include "platform/ui/Paint.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/controls/ControlNotify.h"
#include "platform/ui/controls/ControlProcs.h"
#include "platform/ui/controls/ControlState.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace platform::controls
{
namespace
{

inline constexpr std::size_t kDefaultLimit = 30000;
inline constexpr std::size_t kLargestLimit = 0x7FFFFFFE;

struct EditState
{
    bool initialized = false;
    std::size_t limit = kDefaultLimit;
    char passwordChar = 0;
    std::size_t selStart = 0;
    std::size_t selEnd = 0;
    bool modified = false;
};

ControlStates<EditState>& states()
{
    static auto* s = new ControlStates<EditState>;
    return *s;
}

std::shared_ptr<EditState> stateOf(HWND hwnd)
{
    auto state = states().Get(hwnd);
    if (!state->initialized)
    {
        state->initialized = true;
        if ((ControlStyle(hwnd) & ES_PASSWORD) != 0)
            state->passwordChar = '*';
        state->selStart = state->selEnd = ControlText(hwnd).size();
    }
    return state;
}

void notifyChanged(HWND hwnd)
{
    NotifyParentCommand(hwnd, EN_UPDATE);
    if (IsWindow(hwnd))
        NotifyParentCommand(hwnd, EN_CHANGE);
}

std::string folded(HWND hwnd, std::string text)
{
    const DWORD style = ControlStyle(hwnd);
    for (char& c : text)
    {
        if ((style & ES_UPPERCASE) != 0)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        else if ((style & ES_LOWERCASE) != 0)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// Replaces the selection with the text, as far as the limit allows; whole = refuse a text
// that does not fit entirely (a typed character). True when the text changed.
bool replaceSelection(HWND hwnd, EditState& state, std::string inserted, bool whole)
{
    std::string text = ControlText(hwnd);
    const std::size_t s = std::min({state.selStart, state.selEnd, text.size()});
    const std::size_t e = std::min(std::max(state.selStart, state.selEnd), text.size());
    const std::size_t kept = text.size() - (e - s);
    const std::size_t room = state.limit > kept ? state.limit - kept : 0;
    if (inserted.size() > room)
    {
        if (whole)
            inserted.clear();
        else
            inserted.resize(room);
        NotifyParentCommand(hwnd, EN_MAXTEXT);
        if (!IsWindow(hwnd) || (inserted.empty() && s == e))
            return false;
    }
    if (inserted.empty() && s == e)
        return false;
    text.replace(s, e - s, inserted);
    SetControlText(hwnd, text);
    state.selStart = state.selEnd = s + inserted.size();
    state.modified = true;
    InvalidateRect(hwnd, nullptr, TRUE);
    notifyChanged(hwnd);
    return true;
}

void backspace(HWND hwnd, EditState& state)
{
    std::string text = ControlText(hwnd);
    std::size_t s = std::min({state.selStart, state.selEnd, text.size()});
    const std::size_t e = std::min(std::max(state.selStart, state.selEnd), text.size());
    if (s == e)
    {
        if (s == 0)
            return;
        --s;
        // A line break goes as a whole.
        if (s > 0 && text[s] == '\n' && text[s - 1] == '\r')
            --s;
    }
    text.erase(s, e - s);
    SetControlText(hwnd, text);
    state.selStart = state.selEnd = s;
    state.modified = true;
    InvalidateRect(hwnd, nullptr, TRUE);
    notifyChanged(hwnd);
}

void typeChar(HWND hwnd, EditState& state, unsigned char c)
{
    const DWORD style = ControlStyle(hwnd);
    if ((style & ES_READONLY) != 0)
        return;
    if (c == 0x08)
    {
        backspace(hwnd, state);
        return;
    }
    if (c == '\r' && (style & ES_MULTILINE) != 0)
    {
        replaceSelection(hwnd, state, "\r\n", true);
        return;
    }
    // Other control codes (tab, Ctrl+V without a clipboard, ...) change nothing.
    if (c < 0x20 || c == 0x7F)
        return;
    if ((style & ES_NUMBER) != 0 && !std::isdigit(c))
        return;
    replaceSelection(hwnd, state, folded(hwnd, std::string(1, static_cast<char>(c))), true);
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t br = text.find("\r\n", start);
        if (br == std::string::npos)
        {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, br - start));
        start = br + 2;
    }
}

// The first character of each line.
std::size_t lineIndex(const std::vector<std::string>& lines, std::size_t line)
{
    std::size_t index = 0;
    for (std::size_t i = 0; i < line && i < lines.size(); ++i)
        index += lines[i].size() + 2;
    return index;
}

std::size_t lineFromChar(const std::vector<std::string>& lines, std::size_t ch)
{
    std::size_t index = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        if (ch <= index + lines[i].size())
            return i;
        index += lines[i].size() + 2;
    }
    return lines.empty() ? 0 : lines.size() - 1;
}

LRESULT getLine(HWND hwnd, WPARAM line, LPARAM lParam)
{
    char* buffer = platform::PointerFromParam<char>(lParam);
    if (buffer == nullptr)
        return 0;
    WORD size = 0;
    std::memcpy(&size, buffer, sizeof size);
    const std::vector<std::string> lines = linesOf(ControlText(hwnd));
    const std::size_t which = (ControlStyle(hwnd) & ES_MULTILINE) != 0 ? line : 0;
    if (which >= lines.size())
        return 0;
    // The line is copied without a terminating null, as on the platform.
    const std::size_t n = std::min<std::size_t>(lines[which].size(), size);
    std::memcpy(buffer, lines[which].data(), n);
    return static_cast<LRESULT>(n);
}

void putDword(LPARAM param, DWORD value)
{
    if (auto* p = platform::PointerFromParam<DWORD>(param))
        *p = value;
}

} // namespace

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
    {
        states().Erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto state = stateOf(hwnd);
    switch (message)
    {
    case WM_SETTEXT:
    {
        const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        state->selStart = state->selEnd = ControlText(hwnd).size();
        state->modified = false;
        InvalidateRect(hwnd, nullptr, TRUE);
        notifyChanged(hwnd);
        return result;
    }
    case WM_CHAR:
        typeChar(hwnd, *state, static_cast<unsigned char>(wParam & 0xFF));
        return 0;
    case WM_SETFOCUS:
        NotifyParentCommand(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyParentCommand(hwnd, EN_KILLFOCUS);
        return 0;
    case EM_LIMITTEXT:
        state->limit = wParam == 0 ? kLargestLimit : static_cast<std::size_t>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(state->limit);
    case EM_SETPASSWORDCHAR:
    {
        state->passwordChar = static_cast<char>(wParam & 0xFF);
        const DWORD style = ControlStyle(hwnd);
        SetWindowLongA(hwnd, GWL_STYLE,
                       static_cast<LONG>(state->passwordChar != 0 ? style | ES_PASSWORD
                                                                  : style & ~ES_PASSWORD));
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case EM_GETPASSWORDCHAR:
        return static_cast<LRESULT>(static_cast<unsigned char>(state->passwordChar));
    case EM_SETREADONLY:
    {
        const DWORD style = ControlStyle(hwnd);
        SetWindowLongA(hwnd, GWL_STYLE,
                       static_cast<LONG>(wParam != 0 ? style | ES_READONLY : style & ~ES_READONLY));
        return TRUE;
    }
    case EM_GETSEL:
    {
        const std::size_t s = std::min(state->selStart, state->selEnd);
        const std::size_t e = std::max(state->selStart, state->selEnd);
        putDword(static_cast<LPARAM>(wParam), static_cast<DWORD>(s));
        putDword(lParam, static_cast<DWORD>(e));
        return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(std::min<std::size_t>(s, 0xFFFF)),
                                             static_cast<WORD>(std::min<std::size_t>(e, 0xFFFF))));
    }
    case EM_SETSEL:
    {
        const std::size_t length = ControlText(hwnd).size();
        const int start = static_cast<int>(wParam);
        const int end = static_cast<int>(lParam);
        if (start == -1)
        {
            // No selection; the caret stays where it is.
            state->selStart = state->selEnd;
            return 0;
        }
        auto clamp = [length](int v) { return v < 0 ? length : std::min<std::size_t>(v, length); };
        state->selStart = clamp(start);
        state->selEnd = clamp(end);
        return 0;
    }
    case EM_REPLACESEL:
    {
        const char* text = platform::PointerFromParam<const char>(lParam);
        replaceSelection(hwnd, *state, folded(hwnd, text != nullptr ? text : ""), false);
        return 0;
    }
    case EM_GETMODIFY:
        return state->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        state->modified = wParam != 0;
        return 0;
    case EM_GETLINECOUNT:
        return static_cast<LRESULT>(linesOf(ControlText(hwnd)).size());
    case EM_GETLINE:
        return getLine(hwnd, wParam, lParam);
    case EM_LINEINDEX:
    {
        const auto lines = linesOf(ControlText(hwnd));
        std::size_t line = static_cast<int>(wParam) == -1
                               ? lineFromChar(lines, std::min(state->selStart, state->selEnd))
                               : wParam;
        if (line >= lines.size())
            return -1;
        return static_cast<LRESULT>(lineIndex(lines, line));
    }
    case EM_LINEFROMCHAR:
    {
        const auto lines = linesOf(ControlText(hwnd));
        const std::size_t ch = static_cast<int>(wParam) == -1
                                   ? std::min(state->selStart, state->selEnd)
                                   : static_cast<std::size_t>(wParam);
        return static_cast<LRESULT>(lineFromChar(lines, ch));
    }
    case EM_LINELENGTH:
    {
        const auto lines = linesOf(ControlText(hwnd));
        const std::size_t ch = static_cast<int>(wParam) == -1
                                   ? std::min(state->selStart, state->selEnd)
                                   : static_cast<std::size_t>(wParam);
        return static_cast<LRESULT>(lines[lineFromChar(lines, ch)].size());
    }
    case EM_CANUNDO:
    case EM_UNDO:
        return FALSE;
    case EM_EMPTYUNDOBUFFER:
    case EM_SCROLLCARET:
    case EM_SETMARGINS:
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
