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

// Columns a text takes on a terminal: a combining mark none, an East Asian wide or full-width
// character two, anything else one (a byte that starts no UTF-8 sequence counts as one).
bool combining(char32_t c)
{
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
           (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF) ||
           (c >= 0xFE20 && c <= 0xFE2F) || c == 0x200B || c == 0x200D;
}

bool wide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
           (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

std::size_t displayWidth(const std::string& text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();)
    {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t length = b < 0x80           ? 1
                                   : (b >> 5) == 0x6  ? 2
                                   : (b >> 4) == 0xE  ? 3
                                   : (b >> 3) == 0x1E ? 4
                                                      : 1;
        char32_t c = length == 1 ? b : b & (0x7F >> length);
        bool formed = i + length <= text.size();
        for (std::size_t k = 1; formed && k < length; ++k)
        {
            const auto next = static_cast<unsigned char>(text[i + k]);
            formed = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!formed)
        {
            ++width, ++i;
            continue;
        }
        width += combining(c) ? 0 : wide(c) ? 2 : 1;
        i += length;
    }
    return width;
}

std::string padded(const std::string& text, std::size_t columns)
{
    const std::size_t width = displayWidth(text);
    return width >= columns ? text : text + std::string(columns - width, ' ');
}

// An icon or bitmap by number and by the name the program entered it under.
std::string image(const char* what, UINT id, const std::string& name)
{
    std::string out = std::string(what) + " " + std::to_string(id);
    if (!name.empty())
        out += " " + quoted(name);
    return out;
}

std::string images(const WindowNode& n)
{
    std::string out;
    if (n.iconId != 0)
        out += " " + image("icon", n.iconId, n.iconName);
    if (n.bitmapId != 0)
        out += " " + image("bitmap", n.bitmapId, n.bitmapName);
    return out;
}

// A progress bar as a person sees it: how far it is filled.
std::string bar(const WindowNode& n)
{
    constexpr int kCells = 20;
    const long long span = static_cast<long long>(n.rangeMax) - n.rangeMin;
    long long done = span > 0 ? (static_cast<long long>(n.pos) - n.rangeMin) * 100 / span : 0;
    done = std::clamp(done, 0LL, 100LL);
    const auto filled = static_cast<std::size_t>(done * kCells / 100);
    return "[" + std::string(filled, '#') + std::string(kCells - filled, ' ') + "] " +
           std::to_string(done) + "%";
}

std::string rectangle(const WindowNode& n)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, " @(%ld,%ld %ldx%ld)", static_cast<long>(n.rect.left),
                  static_cast<long>(n.rect.top), static_cast<long>(n.rect.right - n.rect.left),
                  static_cast<long>(n.rect.bottom - n.rect.top));
    return buffer;
}

std::string hex(HWND h)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(h));
    return buffer;
}

std::string suffix(const WindowNode& n, const FormOptions& options)
{
    std::string out = options.rects ? rectangle(n) : std::string();
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
            width[c] = displayWidth(n.columns[c]);
        for (const auto& r : n.rows)
            if (c < r.cells.size())
                width[c] = std::max(width[c], displayWidth(r.cells[c]));
    }
    auto line = [&](const std::vector<std::string>& values, const std::string& mark)
    {
        std::string l = indent + mark + " |";
        for (std::size_t c = 0; c < cells; ++c)
            l += " " + padded(c < values.size() ? values[c] : "", width[c]) + " |";
        return l;
    };
    if (!n.columns.empty())
        out += line(n.columns, "  ") + "\n";
    for (const auto& r : n.rows)
    {
        out += line(r.cells, std::string(r.selected ? ">" : " ") + (r.focused ? "*" : " "));
        // The row's image (the connected marker, a security sign) by its icon's name, after
        // the cells.
        if (r.image >= 0)
            out += r.imageName.empty() ? " image " + std::to_string(r.image)
                                       : " <" + r.imageName + ">";
        out += "\n";
    }
}

void renderControl(const WindowNode& n, const std::string& indent, const FormOptions& options,
                   std::string& out)
{
    // What a person cannot see is left out unless asked for.
    if (!n.visible && !options.all)
        return;
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
        l += "<" + n.text + "> " + id + images(n);
        if (n.defaultButton)
            l += " (default)";
        break;
    case ControlKind::GroupBox:
        l += "group " + id + " " + quoted(n.text);
        break;
    case ControlKind::Static:
        l += "static " + id + " " + quoted(n.text) + images(n);
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
        l += "progress " + id + ": " + bar(n);
        break;
    case ControlKind::IpAddress:
        l += "ipaddress " + id + ": " + quoted(n.text);
        break;
    case ControlKind::Dialog:
        l += "page " + quoted(n.text);
        break;
    case ControlKind::ListView:
        l += "listview " + id + ":" + suffix(n, options) + "\n";
        out += l;
        renderTable(n, indent + "    ", out);
        return;
    default:
        l += n.className + " " + id + " " + quoted(n.text);
        break;
    }
    out += l + suffix(n, options) + "\n";
    // A control with children of its own (a page inside a sheet, a group of controls).
    for (const auto& c : n.children)
        renderControl(c, indent + "  ", options, out);
}

} // namespace

std::string RenderForm(const WindowNode& node, const FormOptions& options)
{
    std::string out = quoted(node.text) + " " + KindName(node.kind) + " " + hex(node.hwnd);
    if (node.kind == ControlKind::Window)
        out += " (" + node.className + ")";
    out += images(node) + suffix(node, options) + "\n";
    if (!node.pages.empty())
        out += "  tabs: " + entries(node.pages, node.activePage) + "\n";
    if (node.kind == ControlKind::Menu)
        renderMenu(node.menu, "  ", out);
    for (const auto& c : node.children)
        renderControl(c, "  ", options, out);
    return out;
}

std::string RenderWindow(HWND hwnd, const FormOptions& options)
{
    auto node = Describe(hwnd);
    return node ? RenderForm(*node, options) : std::string();
}

} // namespace platform::automation
