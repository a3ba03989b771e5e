#pragma once
// Describing a window and its children as a person sees them: a tree of records with each
// control's state, read through the controls' own messages. Run it on the window's thread
// (focus is per thread).

#include "platform/ui/UserTypes.h"
#include "platform/ui/menus/Menus.h"

#include <optional>
#include <string>
#include <vector>

namespace platform::automation
{

enum class ControlKind
{
    Window, // a top-level window or anything else
    Dialog, // "#32770"
    Menu,   // an open popup menu "#32768"
    PushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    Static,
    Edit,
    ComboBox,
    ListBox,
    ListView,
    Slider,
    Progress,
    IpAddress,
};

struct ListRow
{
    std::vector<std::string> cells; // the item's text, then its subitems
    bool selected = false;
    bool focused = false;
};

struct WindowNode
{
    HWND hwnd = 0;
    ControlKind kind = ControlKind::Window;
    std::string className;
    int id = 0;
    std::string text;
    DWORD style = 0;
    bool visible = false;
    bool enabled = false;
    bool focused = false;
    bool checked = false;
    bool defaultButton = false;
    bool readOnly = false;
    char passwordChar = 0;
    RECT rect{}; // on the screen
    // Combo and list boxes.
    std::vector<std::string> items;
    int selection = -1;
    // List views.
    std::vector<std::string> columns;
    std::vector<ListRow> rows;
    // Sliders and progress bars.
    int pos = 0;
    int rangeMin = 0;
    int rangeMax = 0;
    // Property sheets: the tabs (page captions) and the selected one.
    std::vector<std::string> pages;
    int activePage = -1;
    // Open popup menus.
    std::vector<MenuItemInfo> menu;
    std::vector<WindowNode> children;
};

std::optional<WindowNode> Describe(HWND hwnd);
ControlKind KindOf(HWND hwnd);
const char* KindName(ControlKind kind);

} // namespace platform::automation
