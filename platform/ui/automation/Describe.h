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
    // The item's image in the list's small image list, as drawn before its text: -1 when none
    // is drawn (no index, an index past the list, no list); the icon resource it stands for
    // and that icon's name as the program's resources entered it (0 and "" when not an icon).
    int image = -1;
    UINT imageIcon = 0;
    std::string imageName;
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
    // The icon a static or button shows, or a top-level window's title-bar icon (small, else
    // big): its resource id and name (0 and "" when none). The bitmap a static or button shows.
    UINT iconId = 0;
    std::string iconName;
    UINT bitmapId = 0;
    std::string bitmapName;
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
