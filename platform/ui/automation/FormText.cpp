#include "platform/ui/automation/FormText.h"

#include <algorithm>
#include <cstdio>

namespace platform::automation
{
namespace
{

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text)
    {
        if (c == '"' || c == '\\')
            out += '\\', out += c;
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out + "\"";
}

std::string hex(HWND h)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(h));
    return buffer;
}

std::string suffix(const WindowNode& n)
{
    std::string out;
    if (!n.visible)
        out += " (hidden)";
    if (!n.enabled)
        out += " (disabled)";
    if (n.focused)
        out += " <focus>";
    return out;
}

std::string entries(const std::vector<std::string>& items, int selection)
{
    std::string out = "{";
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        if (i != 0)
            out += " | ";
        out += static_cast<int>(i) == selection ? ">" + items[i] + "<" : items[i];
    }
    return out + "}";
}

void renderMenu(const std::vector<MenuItemInfo>& items, const std::string& indent, std::string& out)
{
    for (const auto& it : items)
    {
        if (it.separator())
        {
            out += indent + "--------\n";
            continue;
        }
        out += indent;
        out += it.checked() ? "[x] " : "    ";
        if (it.popup != 0)
            out += quoted(it.text) + " >";
        else
            out += std::to_string(it.id) + " " + quoted(it.text);
        if (!it.enabled())
            out += " (disabled)";
        out += "\n";
        if (it.popup != 0)
            if (auto below = DescribeMenu(it.popup))
                renderMenu(*below, indent + "    ", out);
    }
}

void renderTable(const WindowNode& n, const std::string& indent, std::string& out)
{
    std::size_t cells = n.columns.size();
    for (const auto& r : n.rows)
        cells = std::max(cells, r.cells.size());
    std::vector<std::size_t> width(cells, 0);
    for (std::size_t c = 0; c < cells; ++c)
    {
        if (c < n.columns.size())
            width[c] = n.columns[c].size();
        for (const auto& r : n.rows)
            if (c < r.cells.size())
                width[c] = std::max(width[c], r.cells[c].size());
    }
    auto line = [&](const std::vector<std::string>& values, const std::string& mark)
    {
        std::string l = indent + mark + " |";
        for (std::size_t c = 0; c < cells; ++c)
        {
            std::string v = c < values.size() ? values[c] : "";
            l += " " + v + std::string(width[c] - v.size(), ' ') + " |";
        }
        out += l + "\n";
    };
    if (!n.columns.empty())
        line(n.columns, "  ");
    for (const auto& r : n.rows)
        line(r.cells, std::string(r.selected ? ">" : " ") + (r.focused ? "*" : " "));
}

void renderControl(const WindowNode& n, const std::string& indent, std::string& out)
{
    const std::string id = std::to_string(n.id);
    std::string l = indent;
    switch (n.kind)
    {
    case ControlKind::CheckBox:
        l += std::string(n.checked ? "[x] " : "[ ] ") + id + " " + quoted(n.text);
        break;
    case ControlKind::RadioButton:
        l += std::string(n.checked ? "(*) " : "( ) ") + id + " " + quoted(n.text);
        break;
    case ControlKind::PushButton:
        l += "<" + n.text + "> " + id;
        if (n.defaultButton)
            l += " (default)";
        break;
    case ControlKind::GroupBox:
        l += "group " + id + " " + quoted(n.text);
        break;
    case ControlKind::Static:
        l += "static " + id + " " + quoted(n.text);
        break;
    case ControlKind::Edit:
    {
        std::string shown =
            n.passwordChar != 0 ? std::string(n.text.size(), n.passwordChar) : n.text;
        l += "[ edit " + id + ": " + quoted(shown) + " ]";
        if (n.readOnly)
            l += " (read-only)";
        break;
    }
    case ControlKind::ComboBox:
        l += "combo " + id + ": " +
             quoted(n.selection >= 0 && n.selection < static_cast<int>(n.items.size())
                        ? n.items[static_cast<std::size_t>(n.selection)]
                        : "") +
             " " + entries(n.items, n.selection);
        break;
    case ControlKind::ListBox:
        l += "list " + id + ": " + entries(n.items, n.selection);
        break;
    case ControlKind::Slider:
        l += "slider " + id + ": " + std::to_string(n.pos) + " (" + std::to_string(n.rangeMin) +
             ".." + std::to_string(n.rangeMax) + ")";
        break;
    case ControlKind::Progress:
        l += "progress " + id + ": " + std::to_string(n.pos) + " (" + std::to_string(n.rangeMin) +
             ".." + std::to_string(n.rangeMax) + ")";
        break;
    case ControlKind::IpAddress:
        l += "ipaddress " + id + ": " + quoted(n.text);
        break;
    case ControlKind::Dialog:
        l += "page " + quoted(n.text);
        break;
    case ControlKind::ListView:
        l += "listview " + id + ":" + suffix(n) + "\n";
        out += l;
        renderTable(n, indent + "    ", out);
        return;
    default:
        l += n.className + " " + id + " " + quoted(n.text);
        break;
    }
    out += l + suffix(n) + "\n";
    // A control with children of its own (a page inside a sheet, a group of controls).
    for (const auto& c : n.children)
        renderControl(c, indent + "  ", out);
}

} // namespace

std::string RenderForm(const WindowNode& node)
{
    std::string out = quoted(node.text) + " " + KindName(node.kind) + " " + hex(node.hwnd);
    if (node.kind == ControlKind::Window)
        out += " (" + node.className + ")";
    out += suffix(node) + "\n";
    if (!node.pages.empty())
        out += "  tabs: " + entries(node.pages, node.activePage) + "\n";
    if (node.kind == ControlKind::Menu)
        renderMenu(node.menu, "  ", out);
    for (const auto& c : node.children)
        renderControl(c, "  ", out);
    return out;
}

std::string RenderWindow(HWND hwnd)
{
    auto node = Describe(hwnd);
    return node ? RenderForm(*node) : std::string();
}

} // namespace platform::automation
