#include "platform/ui/automation/Actions.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/Window.h"
#include "platform/ui/automation/Describe.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/controls/UserActions.h"
#include "platform/ui/framework/PropertySheet.h"
#include "platform/ui/internal/WindowTable.h"
#include "platform/ui/menus/Menus.h"
#include "platform/ui/msgbox/MessageBox.h"

#include <strings.h>

#include <cstdlib>
#include <optional>

namespace platform::automation
{
namespace
{

ActionResult ok(std::string message = "done")
{
    return {true, std::move(message)};
}

ActionResult failed(std::string message)
{
    return {false, std::move(message)};
}

std::string textOf(HWND hwnd)
{
    char buffer[1024] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

bool sameLoosely(const std::string& a, const std::string& b)
{
    return ::strcasecmp(PlainMenuText(a).c_str(), PlainMenuText(b).c_str()) == 0;
}

// A number written as a person would: decimal or 0x hex.
bool parseNumber(const std::string& text, long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 0);
    return end != nullptr && *end == '\0';
}

std::vector<HWND> descendants(HWND window)
{
    return ui::WindowTable::Instance().Descendants(window);
}

// Why a person could not reach the window with the mouse or the keyboard: it is hidden, or it
// or a window it lies in is disabled (a modal window disables its owner, whose controls keep
// their own style). Empty when it can be reached.
std::string unreachable(HWND hwnd, const std::string& name)
{
    if (!IsWindowVisible(hwnd))
        return name + " is hidden";
    for (auto r = ui::WindowTable::Instance().Get(hwnd); r;
         r = r->isChild() ? ui::WindowTable::Instance().Get(r->parent) : std::nullopt)
        if ((r->style & WS_DISABLED) != 0)
            return r->hwnd == hwnd ? name + " is disabled"
                                   : name + " is in a disabled window (a modal window is up)";
    return {};
}

// The control, or why there is none / why it cannot be used.
HWND usable(HWND window, const std::string& control, ActionResult& why)
{
    HWND hwnd = FindControl(window, control);
    if (hwnd == 0)
    {
        why = failed("no control '" + control + "'");
        return 0;
    }
    const std::string refused = unreachable(hwnd, "control '" + control + "'");
    if (!refused.empty())
    {
        why = failed(refused);
        return 0;
    }
    return hwnd;
}

// The window itself, for what acts on the whole window (a key, its close box, its tabs).
bool reachable(HWND window, ActionResult& why)
{
    if (!IsWindow(window))
    {
        why = failed("no such window");
        return false;
    }
    const std::string refused = unreachable(window, "the window");
    if (!refused.empty())
        why = failed(refused);
    return refused.empty();
}

// Where the focus goes after an edit is left: the next enabled, visible tab stop after it
// among its siblings (round the end), else the parent.
HWND nextFocus(HWND control)
{
    HWND parent = GetParent(control);
    auto siblings = ui::WindowTable::Instance().Children(parent);
    std::size_t at = 0;
    while (at < siblings.size() && siblings[at] != control)
        ++at;
    for (std::size_t k = 1; k < siblings.size(); ++k)
    {
        HWND h = siblings[(at + k) % siblings.size()];
        if ((GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowVisible(h) &&
            IsWindowEnabled(h))
            return h;
    }
    return parent;
}

int entryIndex(HWND hwnd, ControlKind kind, const std::string& entry)
{
    auto node = Describe(hwnd);
    if (!node)
        return -1;
    for (std::size_t i = 0; i < node->items.size(); ++i)
        if (node->items[i] == entry)
            return static_cast<int>(i);
    long n = 0;
    const std::string digits = !entry.empty() && entry[0] == '#' ? entry.substr(1) : entry;
    if (parseNumber(digits, n) && n >= 0 && n < static_cast<long>(node->items.size()))
        return static_cast<int>(n);
    for (std::size_t i = 0; i < node->items.size(); ++i)
        if (sameLoosely(node->items[i], entry))
            return static_cast<int>(i);
    (void)kind;
    return -1;
}

HWND defaultButtonOf(HWND dialog)
{
    for (HWND h : descendants(dialog))
        if (KindOf(h) == ControlKind::PushButton &&
            (GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON && IsWindowVisible(h))
            return h;
    return 0;
}

bool isOpenBox(HWND hwnd)
{
    for (const auto& box : OpenMessageBoxes())
        if (box.hwnd == hwnd)
            return true;
    return false;
}

} // namespace

HWND FindControl(HWND window, const std::string& control)
{
    const auto all = descendants(window);
    long id = 0;
    const bool byId = parseNumber(control, id);
    // Pages of a sheet repeat ids: a control in view wins over one on a hidden page.
    for (bool visibleOnly : {true, false})
    {
        auto fits = [&](HWND h) { return !visibleOnly || IsWindowVisible(h); };
        if (byId)
            for (HWND h : all)
                if (GetDlgCtrlID(h) == static_cast<int>(id) && fits(h))
                    return h;
        for (HWND h : all)
            if (textOf(h) == control && fits(h))
                return h;
        for (HWND h : all)
            if (sameLoosely(textOf(h), control) && fits(h))
                return h;
    }
    return 0;
}

ActionResult Click(HWND window, const std::string& control)
{
    ActionResult why;
    HWND hwnd = usable(window, control, why);
    if (hwnd == 0)
        return why;
    const ControlKind kind = KindOf(hwnd);
    if (kind == ControlKind::PushButton || kind == ControlKind::CheckBox ||
        kind == ControlKind::RadioButton)
    {
        if (!ButtonClickAsUser(hwnd))
            return failed("the button did not take the click");
        return ok("clicked");
    }
    // Anything else: the mouse goes down and up on it.
    SetFocus(hwnd);
    SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
    return ok("clicked");
}

ActionResult MouseClick(HWND window, const std::string& control)
{
    ActionResult why;
    HWND hwnd = usable(window, control, why);
    if (hwnd == 0)
        return why;
    // Down and up in the middle of the control, in its client coordinates.
    RECT client{};
    GetClientRect(hwnd, &client);
    const LPARAM middle =
        MAKELPARAM(static_cast<WORD>(client.right / 2), static_cast<WORD>(client.bottom / 2));
    PostMessageA(hwnd, WM_LBUTTONDOWN, 0x0001 /* MK_LBUTTON */, middle);
    PostMessageA(hwnd, WM_LBUTTONUP, 0, middle);
    return ok("clicked");
}

ActionResult TypeText(HWND window, const std::string& control, const std::string& text)
{
    ActionResult why;
    HWND hwnd = usable(window, control, why);
    if (hwnd == 0)
        return why;
    if (KindOf(hwnd) != ControlKind::Edit && KindOf(hwnd) != ControlKind::ComboBox)
        return failed("control '" + control + "' takes no typing");
    // A person cannot type into a read-only edit either.
    if (KindOf(hwnd) == ControlKind::Edit &&
        (static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & ES_READONLY) != 0)
        return failed("control '" + control + "' is read-only");
    if (!EditTypeAsUser(hwnd, text))
        return failed("the edit did not take the typing");
    if (IsWindow(hwnd) && GetFocus() == hwnd)
        SetFocus(nextFocus(hwnd));
    return ok("typed");
}

ActionResult SetText(HWND window, const std::string& control, const std::string& text)
{
    HWND hwnd = FindControl(window, control);
    if (hwnd == 0)
        return failed("no control '" + control + "'");
    if (!SetWindowTextA(hwnd, text.c_str()))
        return failed("the control refused the text");
    return ok("set");
}

ActionResult SelectEntry(HWND window, const std::string& control, const std::string& entry)
{
    ActionResult why;
    HWND hwnd = usable(window, control, why);
    if (hwnd == 0)
        return why;
    const ControlKind kind = KindOf(hwnd);
    if (kind != ControlKind::ComboBox && kind != ControlKind::ListBox)
        return failed("control '" + control + "' has no entries");
    const int index = entryIndex(hwnd, kind, entry);
    if (index < 0)
        return failed("no entry '" + entry + "'");
    const bool done = kind == ControlKind::ComboBox ? ComboSelectAsUser(hwnd, index)
                                                    : ListSelectAsUser(hwnd, index);
    return done ? ok("selected") : failed("the control refused the selection");
}

ActionResult PickRow(HWND window, const std::string& control, int row, bool doubleClick)
{
    ActionResult why;
    HWND hwnd = usable(window, control, why);
    if (hwnd == 0)
        return why;
    if (KindOf(hwnd) != ControlKind::ListView)
        return failed("control '" + control + "' is not a list view");
    const bool done =
        doubleClick ? ListViewDoubleClickRowAsUser(hwnd, row) : ListViewClickRowAsUser(hwnd, row);
    return done ? ok(doubleClick ? "double-clicked" : "clicked") : failed("no such row");
}

ActionResult Slide(HWND window, const std::string& control, int pos)
{
    ActionResult why;
    HWND hwnd = usable(window, control, why);
    if (hwnd == 0)
        return why;
    if (KindOf(hwnd) != ControlKind::Slider)
        return failed("control '" + control + "' is not a slider");
    return SliderMoveAsUser(hwnd, pos) ? ok("moved") : failed("the slider refused");
}

ActionResult PressKey(HWND window, const std::string& key)
{
    const bool enter =
        ::strcasecmp(key.c_str(), "enter") == 0 || ::strcasecmp(key.c_str(), "return") == 0;
    const bool esc =
        ::strcasecmp(key.c_str(), "esc") == 0 || ::strcasecmp(key.c_str(), "escape") == 0;
    if (!enter && !esc)
        return failed("unknown key '" + key + "' (enter, esc)");
    if (!IsWindow(window))
        return failed("no such window");
    if (KindOf(window) == ControlKind::Menu)
    {
        if (esc)
            DismissPopupMenu(window);
        return ok("pressed");
    }
    if (isOpenBox(window))
    {
        PostMessageA(window, WM_KEYDOWN, enter ? 0x0D : 0x1B, 0);
        return ok("pressed");
    }
    ActionResult why;
    if (!reachable(window, why))
        return why;
    int id = IDCANCEL;
    HWND button = GetDlgItem(window, IDCANCEL);
    if (enter)
    {
        button = defaultButtonOf(window);
        id = button != 0 ? GetDlgCtrlID(button) : IDOK;
        if (button == 0)
            button = GetDlgItem(window, IDOK);
    }
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                 static_cast<LPARAM>(button));
    return ok("pressed");
}

ActionResult PickMenu(const std::string& item)
{
    auto open = OpenPopupMenus();
    if (open.empty())
        return failed("no menu is open");
    long id = 0;
    if (PickMenuItemByText(open.front(), item) ||
        (parseNumber(item, id) && PickMenuItem(open.front(), static_cast<UINT>(id))))
        return ok("picked");
    return failed("the menu has no enabled item '" + item + "'");
}

ActionResult PickSystemMenu(HWND window, const std::string& item)
{
    ActionResult why;
    if (!reachable(window, why))
        return why;
    HMENU sys = GetSystemMenu(window, FALSE);
    if (sys == 0)
        return failed("no such window");
    long number = 0;
    auto id = FindMenuItemId(sys, item);
    if (!id && parseNumber(item, number))
        id = static_cast<UINT>(number);
    if (!id || !PickSystemMenuItem(window, *id))
        return failed("the system menu has no enabled item '" + item + "'");
    return ok("picked");
}

ActionResult AnswerBox(HWND box, const std::string& button)
{
    std::optional<OpenMessageBoxInfo> target;
    for (const auto& b : OpenMessageBoxes())
        if (box == 0 || b.hwnd == box)
        {
            target = b;
            break;
        }
    if (!target)
        return failed("no message box is up");
    long number = 0;
    int id = 0;
    if (parseNumber(button, number))
        id = static_cast<int>(number);
    else
        for (int b : target->buttons)
            if (sameLoosely(MessageBoxButtonText(b), button))
                id = b;
    if (id == 0 || !AnswerMessageBox(target->hwnd, id))
        return failed("the message box has no button '" + button + "'");
    return ok("answered");
}

ActionResult SelectPage(HWND sheet, const std::string& page)
{
    ActionResult why;
    if (!reachable(sheet, why))
        return why;
    auto node = Describe(sheet);
    if (!node || node->pages.empty())
        return failed("the window is no property sheet");
    int index = -1;
    for (std::size_t i = 0; i < node->pages.size() && index < 0; ++i)
        if (node->pages[i] == page || sameLoosely(node->pages[i], page))
            index = static_cast<int>(i);
    long n = 0;
    const std::string digits = !page.empty() && page[0] == '#' ? page.substr(1) : page;
    if (index < 0 && parseNumber(digits, n) && n >= 0 && n < static_cast<long>(node->pages.size()))
        index = static_cast<int>(n);
    if (index < 0)
        return failed("the sheet has no page '" + page + "'");
    auto* wnd = static_cast<CPropertySheet*>(CWnd::FromHandlePermanent(sheet));
    if (!wnd->SetActivePage(index))
        return failed("the page was not changed");
    return ok("page " + std::to_string(wnd->GetActiveIndex()));
}

ActionResult CloseWindow(HWND window)
{
    ActionResult why;
    if (!reachable(window, why))
        return why;
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return ok("closing");
}

ActionResult ClickTray(HWND hwnd, UINT uid, TrayClick click)
{
    return ClickTrayIcon(hwnd, uid, click) ? ok("clicked") : failed("no such tray icon");
}

} // namespace platform::automation
