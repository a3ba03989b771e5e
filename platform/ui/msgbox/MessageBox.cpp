#include "platform/ui/msgbox/MessageBox.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/automation/Remote.h"

#include "machine/Machine.h"
#include "machine/desktop/DesktopLog.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <exception>
#include <map>
#include <mutex>

namespace
{

constexpr WPARAM kVkReturn = 0x0D;
constexpr WPARAM kVkEscape = 0x1B;
constexpr UINT kBmClick = 0x00F5;
constexpr DWORD kBsDefPushButton = 0x00000001;

struct Box
{
    std::size_t logIndex = 0;
    std::string text;
    std::string caption;
    UINT type = 0;
    std::vector<int> buttons;
    int defaultButton = IDOK;
    bool done = false;
    int answer = 0;
};

struct State
{
    std::mutex mutex;
    std::vector<platform::MessageBoxRecord> log;
    std::map<HWND, Box*> open; // boxes up in this process (their loops own the records)
    std::vector<HWND> openOrder;
    std::deque<int> scripted;
    platform::BeepRecord beeps;
};

State& state()
{
    static State* instance = new State;
    return *instance;
}

std::vector<int> buttonsOf(UINT type)
{
    switch (type & MB_TYPEMASK)
    {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    default:
        return {IDOK};
    }
}

bool has(const std::vector<int>& v, int id)
{
    return std::find(v.begin(), v.end(), id) != v.end();
}

// What Esc and the close box give: Cancel when there is one, OK for a lone OK, else nothing.
int escapeAnswer(const Box& box)
{
    if (has(box.buttons, IDCANCEL))
        return IDCANCEL;
    if (box.buttons.size() == 1 && box.buttons[0] == IDOK)
        return IDOK;
    return 0;
}

Box* boxOf(HWND hwnd)
{
    std::lock_guard guard(state().mutex);
    auto it = state().open.find(hwnd);
    return it == state().open.end() ? nullptr : it->second;
}

void finish(Box& box, int answer)
{
    if (box.done || answer == 0)
        return;
    box.done = true;
    box.answer = answer;
}

LRESULT CALLBACK MessageBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Box* box = boxOf(hwnd);
    if (box == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message)
    {
    case WM_COMMAND:
    {
        const int id = LOWORD(wParam);
        if (has(box->buttons, id))
            finish(*box, id);
        else if (id == IDCANCEL)
            finish(*box, escapeAnswer(*box));
        return 0;
    }
    case WM_CLOSE:
        finish(*box, escapeAnswer(*box));
        return 0;
    case WM_KEYDOWN:
        if (wParam == kVkEscape)
            finish(*box, escapeAnswer(*box));
        else if (wParam == kVkReturn)
            finish(*box, box->defaultButton);
        return 0;
    case WM_INITDIALOG:
        return TRUE;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// Until the control classes are there, the box brings plain stand-ins of its own.
LRESULT CALLBACK FallbackButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kBmClick)
    {
        SendMessageA(GetParent(hwnd), WM_COMMAND,
                     MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), BN_CLICKED), hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void ensureClasses()
{
    if (!platform::FindWindowClass("Button"))
        platform::RegisterSystemClass("Button", FallbackButtonProc);
    if (!platform::FindWindowClass("Static"))
        platform::RegisterSystemClass("Static", DefWindowProcA);
}

HWND topLevelOf(HWND hWnd)
{
    while (hWnd != 0 && (GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        hWnd = GetParent(hWnd);
    return hWnd;
}

HWND createBox(const Box& box, HWND owner)
{
    ensureClasses();
    const int buttonWidth = 75, buttonHeight = 23, gap = 6;
    const int buttonsWidth = static_cast<int>(box.buttons.size()) * (buttonWidth + gap) - gap;
    const int iconWidth = (box.type & MB_ICONMASK) != 0 ? 42 : 0;
    const int textWidth = std::clamp(static_cast<int>(box.text.size()) * 6, 60, 420);
    const int width = std::max(buttonsWidth, iconWidth + textWidth) + 2 * 12;
    const int lines = 1 + static_cast<int>(std::count(box.text.begin(), box.text.end(), '\n')) +
                      static_cast<int>(box.text.size()) * 6 / 421;
    const int textHeight = std::max(lines * 13, iconWidth != 0 ? 32 : 13);
    const int height = 12 + textHeight + 12 + buttonHeight + 12;

    HWND hwnd = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, WC_DIALOG, box.caption.c_str(),
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200, 200, width,
                                height, owner, 0, 0, nullptr);
    if (hwnd == 0)
        return 0;
    platform::SetWindowProc(hwnd, MessageBoxProc);
    if (iconWidth != 0)
        CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | 0x3 /* SS_ICON */, 12, 12, 32, 32,
                        hwnd, static_cast<HMENU>(kMessageBoxIconId), 0, nullptr);
    CreateWindowExA(0, "Static", box.text.c_str(), WS_CHILD | WS_VISIBLE | 0x80 /* SS_NOPREFIX */,
                    12 + iconWidth, 12, textWidth, textHeight, hwnd,
                    static_cast<HMENU>(kMessageBoxTextId), 0, nullptr);
    int x = (width - buttonsWidth) / 2;
    const int y = 12 + textHeight + 12;
    for (int id : box.buttons)
    {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        if (id == box.defaultButton)
            style |= kBsDefPushButton;
        HWND button =
            CreateWindowExA(0, "Button", platform::MessageBoxButtonText(id).c_str(), style, x, y,
                            buttonWidth, buttonHeight, hwnd, static_cast<HMENU>(id), 0, nullptr);
        if (button == 0)
        {
            DestroyWindow(hwnd);
            return 0;
        }
        x += buttonWidth + gap;
    }
    return hwnd;
}

// A box coming and going shows in the machine's desktop log, among every other log.
void logBox(HWND hwnd, const char* event, const std::string& details)
{
    char head[64];
    std::snprintf(head, sizeof head, " pid=%d hwnd=0x%08X", static_cast<int>(::getpid()), hwnd);
    try
    {
        machine::desktop::AppendDesktopLog(
            machine::CurrentMachine(), std::string("message-box ") + event + head + " " + details);
    }
    catch (const std::exception&)
    {
        // The box is shown either way.
    }
}

} // namespace

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    platform::automation::EnsureServing(); // a person can answer it from the desktop
    Box box;
    box.text = lpText != nullptr ? lpText : "";
    box.caption = lpCaption != nullptr ? lpCaption : "Error";
    box.type = uType;
    box.buttons = buttonsOf(uType);
    const std::size_t defIndex = (uType & MB_DEFMASK) >> 8;
    box.defaultButton = box.buttons[defIndex < box.buttons.size() ? defIndex : 0];

    HWND owner = topLevelOf(hWnd);
    if (owner != 0 && !IsWindow(owner))
        owner = 0;
    HWND hwnd = createBox(box, owner);
    if (hwnd == 0)
        return 0;

    {
        char type[16];
        std::snprintf(type, sizeof type, "0x%08X", uType);
        logBox(hwnd, "shown",
               std::string("type=") + type +
                   " caption=" + machine::desktop::QuotedLogText(box.caption) +
                   " text=" + machine::desktop::QuotedLogText(box.text));
    }
    bool haveScripted = false;
    int scripted = 0;
    {
        std::lock_guard guard(state().mutex);
        box.logIndex = state().log.size();
        state().log.push_back({hwnd, owner, box.text, box.caption, box.type, 0});
        state().open[hwnd] = &box;
        state().openOrder.push_back(hwnd);
        if (!state().scripted.empty())
        {
            haveScripted = true;
            scripted = state().scripted.front();
            state().scripted.pop_front();
        }
    }

    const bool reenableOwner = owner != 0 && IsWindowEnabled(owner);
    if (reenableOwner)
        EnableWindow(owner, FALSE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    if (HWND def = GetDlgItem(hwnd, box.defaultButton))
        SetFocus(def);

    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (!box.done)
    {
        if (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                quit = true;
                quitCode = static_cast<int>(msg.wParam);
                break;
            }
        }
        else if (haveScripted)
        {
            // Everything due has had its turn once: the script presses its button now.
            const int answer = has(box.buttons, scripted) ? scripted : escapeAnswer(box);
            haveScripted = false;
            finish(box, answer != 0 ? answer : box.buttons.back());
            continue;
        }
        else
        {
            BOOL got = GetMessageA(&msg, 0, 0, 0);
            if (got == 0)
            {
                quit = true;
                quitCode = static_cast<int>(msg.wParam);
                break;
            }
            if (got < 0)
                break;
        }
        // Keys pressed anywhere in the box are the box's.
        if (msg.message == WM_KEYDOWN && msg.hwnd != hwnd && IsChild(hwnd, msg.hwnd))
            msg.hwnd = hwnd;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    {
        std::lock_guard guard(state().mutex);
        state().open.erase(hwnd);
        auto& order = state().openOrder;
        order.erase(std::remove(order.begin(), order.end(), hwnd), order.end());
        state().log[box.logIndex].answer = box.answer;
    }
    logBox(hwnd, "answered", "answer=" + std::to_string(box.answer));
    if (reenableOwner && IsWindow(owner))
        EnableWindow(owner, TRUE);
    DestroyWindow(hwnd);
    if (owner != 0 && IsWindow(owner))
        SetActiveWindow(owner);
    if (quit)
        PostQuitMessage(quitCode);
    return quit ? 0 : box.answer;
}

BOOL MessageBeep(UINT uType)
{
    std::lock_guard guard(state().mutex);
    ++state().beeps.count;
    state().beeps.lastType = uType;
    return TRUE;
}

namespace platform
{

std::vector<MessageBoxRecord> MessageBoxLog()
{
    std::lock_guard guard(state().mutex);
    return state().log;
}

void ClearMessageBoxLog()
{
    std::lock_guard guard(state().mutex);
    state().log.clear();
    // Boxes still up keep a place to write their answer.
    for (HWND h : state().openOrder)
    {
        Box* box = state().open[h];
        box->logIndex = state().log.size();
        state().log.push_back({h, 0, box->text, box->caption, box->type, 0});
    }
}

std::vector<OpenMessageBoxInfo> OpenMessageBoxes()
{
    std::lock_guard guard(state().mutex);
    std::vector<OpenMessageBoxInfo> out;
    for (auto it = state().openOrder.rbegin(); it != state().openOrder.rend(); ++it)
    {
        const Box* box = state().open[*it];
        out.push_back({*it, box->text, box->caption, box->type, box->buttons});
    }
    return out;
}

std::optional<OpenMessageBoxInfo> FindOpenMessageBox()
{
    auto boxes = OpenMessageBoxes();
    if (boxes.empty())
        return std::nullopt;
    return boxes.front();
}

bool AnswerMessageBox(HWND hwnd, int buttonId)
{
    {
        std::lock_guard guard(state().mutex);
        auto it = state().open.find(hwnd);
        if (it == state().open.end() || !has(it->second->buttons, buttonId))
            return false;
    }
    return PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(buttonId), BN_CLICKED),
                        static_cast<LPARAM>(GetDlgItem(hwnd, buttonId))) != FALSE;
}

std::string MessageBoxButtonText(int buttonId)
{
    switch (buttonId)
    {
    case IDOK:
        return "OK";
    case IDCANCEL:
        return "Cancel";
    case IDABORT:
        return "&Abort";
    case IDRETRY:
        return "&Retry";
    case IDIGNORE:
        return "&Ignore";
    case IDYES:
        return "&Yes";
    case IDNO:
        return "&No";
    default:
        return {};
    }
}

void ScriptMessageBoxAnswers(std::vector<int> answers)
{
    std::lock_guard guard(state().mutex);
    for (int a : answers)
        state().scripted.push_back(a);
}

std::size_t PendingScriptedAnswers()
{
    std::lock_guard guard(state().mutex);
    return state().scripted.size();
}

BeepRecord BeepLog()
{
    std::lock_guard guard(state().mutex);
    return state().beeps;
}

void ClearBeepLog()
{
    std::lock_guard guard(state().mutex);
    state().beeps = {};
}

} // namespace platform
