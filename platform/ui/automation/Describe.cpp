#include "platform/ui/automation/Describe.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/framework/PropertySheet.h"
#include "platform/ui/gdi/Resources.h"
#include "platform/ui/internal/WindowTable.h"

#include <strings.h>

#include <algorithm>

namespace platform::automation
{
namespace
{

bool classIs(const std::string& name, const char* expected)
{
    return ::strcasecmp(name.c_str(), expected) == 0;
}

std::string className(HWND hwnd)
{
    char buffer[256] = {};
    GetClassNameA(hwnd, buffer, sizeof buffer);
    return buffer;
}

std::string windowText(HWND hwnd)
{
    const int length = static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    PointerParam buffer(text.data());
    const int got =
        static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(text.size()), buffer));
    if (got <= 0)
    {
        // A window of another kind keeps its text where GetWindowTextA finds it.
        char plain[1024] = {};
        GetWindowTextA(hwnd, plain, sizeof plain);
        return plain;
    }
    text.resize(static_cast<std::size_t>(std::min<int>(got, length)));
    return text;
}

std::string itemText(HWND hwnd, UINT lenMessage, UINT textMessage, int index)
{
    const LRESULT length = SendMessageA(hwnd, lenMessage, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    PointerParam buffer(text.data());
    const LRESULT got = SendMessageA(hwnd, textMessage, static_cast<WPARAM>(index), buffer);
    text.resize(got > 0 ? static_cast<std::size_t>(std::min(got, length)) : 0);
    return text;
}

std::string listViewText(HWND hwnd, int item, int subItem)
{
    char buffer[1024] = {};
    LVITEMA lvi{};
    lvi.mask = LVIF_TEXT;
    lvi.iItem = item;
    lvi.iSubItem = subItem;
    lvi.pszText = buffer;
    lvi.cchTextMax = sizeof buffer;
    PointerParam p(&lvi);
    SendMessageA(hwnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), p);
    return buffer;
}

// The icon behind an image of a list view's small image list; -1 for an index past the list.
int rowImage(HIMAGELIST list, int index, ListRow& row)
{
    platform::ImageListInfo info;
    if (index < 0 || list == 0 || !platform::GetImageListInfo(list, info) ||
        index >= static_cast<int>(info.images.size()))
        return -1;
    const HANDLE image = info.images[static_cast<std::size_t>(index)];
    row.imageIcon = platform::IconResourceId(image).value_or(0);
    row.imageName = platform::IconDescription(image).value_or("");
    return index;
}

int listViewImage(HWND hwnd, int item)
{
    LVITEMA lvi{};
    lvi.mask = LVIF_IMAGE;
    lvi.iItem = item;
    lvi.iImage = -1;
    PointerParam p(&lvi);
    return SendMessageA(hwnd, LVM_GETITEMA, 0, p) != 0 ? lvi.iImage : -1;
}

void describeImages(HWND hwnd, WindowNode& node)
{
    HANDLE icon = 0, bitmap = 0;
    if (node.kind == ControlKind::Static)
    {
        icon = static_cast<HANDLE>(SendMessageA(hwnd, STM_GETIMAGE, IMAGE_ICON, 0));
        bitmap = static_cast<HANDLE>(SendMessageA(hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    else if (node.kind == ControlKind::PushButton || node.kind == ControlKind::CheckBox ||
             node.kind == ControlKind::RadioButton)
    {
        icon = static_cast<HANDLE>(SendMessageA(hwnd, BM_GETIMAGE, IMAGE_ICON, 0));
        bitmap = static_cast<HANDLE>(SendMessageA(hwnd, BM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    else if ((node.style & WS_CHILD) == 0)
    {
        // The title bar shows the small icon, or the big one scaled when there is no small one.
        icon = static_cast<HANDLE>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
        if (icon == 0)
            icon = static_cast<HANDLE>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
    }
    node.iconId = platform::IconResourceId(icon).value_or(0);
    node.iconName = platform::IconDescription(icon).value_or("");
    node.bitmapId = platform::BitmapResourceId(bitmap).value_or(0);
    node.bitmapName = platform::BitmapDescription(bitmap).value_or("");
}

void describeListView(HWND hwnd, WindowNode& node)
{
    const auto smallImages =
        static_cast<HIMAGELIST>(SendMessageA(hwnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    for (int c = 0; c < 64; ++c)
    {
        char buffer[256] = {};
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT;
        col.pszText = buffer;
        col.cchTextMax = sizeof buffer;
        PointerParam p(&col);
        if (SendMessageA(hwnd, LVM_GETCOLUMNA, static_cast<WPARAM>(c), p) == 0)
            break;
        node.columns.push_back(buffer);
    }
    const int count = static_cast<int>(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0));
    const int cells = std::max<int>(1, static_cast<int>(node.columns.size()));
    for (int i = 0; i < count; ++i)
    {
        ListRow row;
        for (int s = 0; s < cells; ++s)
            row.cells.push_back(listViewText(hwnd, i, s));
        const auto state = static_cast<UINT>(SendMessageA(
            hwnd, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_SELECTED | LVIS_FOCUSED));
        row.selected = (state & LVIS_SELECTED) != 0;
        row.focused = (state & LVIS_FOCUSED) != 0;
        row.image = rowImage(smallImages, listViewImage(hwnd, i), row);
        node.rows.push_back(std::move(row));
    }
}

} // namespace

ControlKind KindOf(HWND hwnd)
{
    const std::string name = className(hwnd);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if (classIs(name, "#32770"))
        return ControlKind::Dialog;
    if (classIs(name, kPopupMenuClass))
        return ControlKind::Menu;
    if (classIs(name, "Button"))
    {
        switch (style & BS_TYPEMASK)
        {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return ControlKind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return ControlKind::RadioButton;
        case BS_GROUPBOX:
            return ControlKind::GroupBox;
        default:
            return ControlKind::PushButton;
        }
    }
    if (classIs(name, "Static"))
        return ControlKind::Static;
    if (classIs(name, "Edit"))
        return ControlKind::Edit;
    if (classIs(name, "ComboBox"))
        return ControlKind::ComboBox;
    if (classIs(name, "ListBox"))
        return ControlKind::ListBox;
    if (classIs(name, WC_LISTVIEWA))
        return ControlKind::ListView;
    if (classIs(name, TRACKBAR_CLASSA))
        return ControlKind::Slider;
    if (classIs(name, PROGRESS_CLASSA))
        return ControlKind::Progress;
    if (classIs(name, WC_IPADDRESSA))
        return ControlKind::IpAddress;
    return ControlKind::Window;
}

const char* KindName(ControlKind kind)
{
    switch (kind)
    {
    case ControlKind::Window:
        return "window";
    case ControlKind::Dialog:
        return "dialog";
    case ControlKind::Menu:
        return "menu";
    case ControlKind::PushButton:
        return "button";
    case ControlKind::CheckBox:
        return "check";
    case ControlKind::RadioButton:
        return "radio";
    case ControlKind::GroupBox:
        return "group";
    case ControlKind::Static:
        return "static";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::ComboBox:
        return "combo";
    case ControlKind::ListBox:
        return "list";
    case ControlKind::ListView:
        return "listview";
    case ControlKind::Slider:
        return "slider";
    case ControlKind::Progress:
        return "progress";
    case ControlKind::IpAddress:
        return "ipaddress";
    }
    return "window";
}

std::optional<WindowNode> Describe(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return std::nullopt;
    WindowNode node;
    node.hwnd = hwnd;
    node.kind = KindOf(hwnd);
    node.className = className(hwnd);
    node.style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    node.id = (node.style & WS_CHILD) != 0 ? GetDlgCtrlID(hwnd) : 0;
    node.text = windowText(hwnd);
    node.visible = IsWindowVisible(hwnd) != FALSE;
    node.enabled = IsWindowEnabled(hwnd) != FALSE;
    node.focused = GetFocus() == hwnd;
    GetWindowRect(hwnd, &node.rect);
    describeImages(hwnd, node);

    switch (node.kind)
    {
    case ControlKind::PushButton:
        node.defaultButton = (node.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        node.checked = SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        break;
    case ControlKind::Edit:
        node.passwordChar = static_cast<char>(SendMessageA(hwnd, EM_GETPASSWORDCHAR, 0, 0));
        node.readOnly = (node.style & ES_READONLY) != 0;
        break;
    case ControlKind::ComboBox:
    {
        const int count = static_cast<int>(SendMessageA(hwnd, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            node.items.push_back(itemText(hwnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
        node.selection = static_cast<int>(SendMessageA(hwnd, CB_GETCURSEL, 0, 0));
        break;
    }
    case ControlKind::ListBox:
    {
        const int count = static_cast<int>(SendMessageA(hwnd, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            node.items.push_back(itemText(hwnd, LB_GETTEXTLEN, LB_GETTEXT, i));
        node.selection = static_cast<int>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0));
        break;
    }
    case ControlKind::ListView:
        describeListView(hwnd, node);
        break;
    case ControlKind::Slider:
        node.pos = static_cast<int>(SendMessageA(hwnd, TBM_GETPOS, 0, 0));
        node.rangeMin = static_cast<int>(SendMessageA(hwnd, TBM_GETRANGEMIN, 0, 0));
        node.rangeMax = static_cast<int>(SendMessageA(hwnd, TBM_GETRANGEMAX, 0, 0));
        break;
    case ControlKind::Progress:
        node.pos = static_cast<int>(SendMessageA(hwnd, PBM_GETPOS, 0, 0));
        node.rangeMin = static_cast<int>(SendMessageA(hwnd, PBM_GETRANGE, TRUE, 0));
        node.rangeMax = static_cast<int>(SendMessageA(hwnd, PBM_GETRANGE, FALSE, 0));
        break;
    case ControlKind::Menu:
        if (auto items = DescribeMenu(PopupMenuOf(hwnd)))
            node.menu = *items;
        break;
    case ControlKind::Dialog:
        // A sheet has no tab control window: its tabs are the sheet object's pages.
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
            wnd != nullptr && wnd->IsKindOf(RUNTIME_CLASS(CPropertySheet)))
        {
            auto* sheet = static_cast<CPropertySheet*>(wnd);
            for (int i = 0; i < sheet->GetPageCount(); ++i)
                node.pages.push_back(static_cast<LPCSTR>(sheet->GetPageCaption(i)));
            node.activePage = sheet->GetActiveIndex();
        }
        break;
    default:
        break;
    }

    // Children in creation order (the tab order of a dialog).
    for (HWND child : ui::WindowTable::Instance().Children(hwnd))
        if (auto described = Describe(child))
            node.children.push_back(std::move(*described));
    return node;
}

} // namespace platform::automation
