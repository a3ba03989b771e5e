#include "tools/vnmachine/ControlPicture.h"

#include "platform/ui/WindowStyles.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/ControlMessages.h"
#include "tools/vnmachine/IconPicture.h"
#include "tools/vnmachine/WindowTree.h"

#include <algorithm>

namespace
{

using nlohmann::json;

// The closed height of a drop-down combo box in the dialog font; its rectangle holds the
// dropped list as well.
constexpr int kComboHeight = 21;
constexpr int kCheckSize = 13;
constexpr int kDropButton = 16;
constexpr int kTabHeight = 18;
// The frame of a sheet's tabbed area lies this far outside its pages.
constexpr int kTabFrameInset = 4;

// The text, enabled or greyed.
void label(Painter& p, const std::string& text, const Box& b, Align align, bool enabled)
{
    if (enabled)
        p.text(text, b, align, colours::kText);
    else
        p.greyedText(text, b, align);
}

int codePoints(const std::string& text)
{
    return static_cast<int>(
        std::count_if(text.begin(), text.end(),
                      [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void button(Painter& p, const json& n, const Box& b, bool pressed = false)
{
    const std::uint32_t style = TreeStyle(n);
    p.fill(b, colours::kFace);
    Box face = b;
    if (TreeFlag(n, "default") || pressed)
    {
        p.outline(b, colours::kText);
        face = b.inset(1);
    }
    if (pressed)
        p.outline(face, colours::kShadow);
    else
        p.raised(face);
    const std::string text = WithoutMnemonics(TreeText(n, "text"));
    const Box inner = face.inset(3);
    if ((style & BS_MULTILINE) != 0)
    {
        const auto lines = p.wrap(text, inner.width);
        const int height = static_cast<int>(lines.size()) * p.lineHeight();
        int y = inner.top + (inner.height - height) / 2;
        for (const auto& line : lines)
        {
            label(p, line, {inner.left, y, inner.width, p.lineHeight()}, Align::Center,
                  TreeFlag(n, "enabled"));
            y += p.lineHeight();
        }
    }
    else
        label(p, text, inner, Align::Center, TreeFlag(n, "enabled"));
    if (TreeFlag(n, "focused"))
        p.focusRect(face.inset(3));
}

void checkOrRadio(Painter& p, const json& n, const Box& b, bool radio)
{
    const std::uint32_t style = TreeStyle(n);
    if ((style & BS_PUSHLIKE) != 0)
    {
        button(p, n, b, TreeFlag(n, "checked"));
        return;
    }
    const bool enabled = TreeFlag(n, "enabled");
    const bool boxRight = (style & BS_LEFTTEXT) != 0;
    const int bx = boxRight ? b.right() - kCheckSize : b.left;
    const int by = b.top + (b.height - kCheckSize) / 2;
    const Colour mark = enabled ? colours::kText : colours::kGrey;
    if (radio)
    {
        const double cx = bx + 6, cy = by + 6;
        p.disc(cx, cy, 6, colours::kHighlight);
        p.disc(cx, cy, 5, colours::kShadow);
        p.disc(cx, cy, 4, enabled ? colours::kWindow : colours::kFace);
        if (TreeFlag(n, "checked"))
            p.disc(cx, cy, 2, mark);
    }
    else
    {
        const Box box{bx, by, kCheckSize, kCheckSize};
        p.sunken(box);
        p.fill(box.inset(2), enabled ? colours::kWindow : colours::kFace);
        if (TreeFlag(n, "checked"))
            p.checkMark(bx + 3, by + 3, mark);
    }
    const std::string text = WithoutMnemonics(TreeText(n, "text"));
    const int textLeft = boxRight ? b.left : bx + kCheckSize + 4;
    const Box textBox{textLeft, b.top, b.right() - textLeft - (boxRight ? kCheckSize + 4 : 0),
                      b.height};
    label(p, text, textBox, Align::Left, enabled);
    if (TreeFlag(n, "focused") && !text.empty())
    {
        const int width = std::min(p.textWidth(text) + 2, textBox.width);
        const int top = b.top + (b.height - p.lineHeight()) / 2 - 1;
        p.focusRect({textLeft - 1, top, width + 1, p.lineHeight() + 2});
    }
}

void groupBox(Painter& p, const json& n, const Box& b)
{
    const int half = p.lineHeight() / 2;
    p.etched({b.left, b.top + half, b.width, b.height - half});
    const std::string text = WithoutMnemonics(TreeText(n, "text"));
    if (text.empty())
        return;
    const int width = std::min(p.textWidth(text) + 4, b.width - 12);
    p.fill({b.left + 7, b.top, width, p.lineHeight()}, colours::kFace);
    label(p, text, {b.left + 9, b.top, width - 2, p.lineHeight()}, Align::Left,
          TreeFlag(n, "enabled"));
}

void staticControl(Painter& p, const json& n, const Box& b)
{
    const std::uint32_t style = TreeStyle(n);
    const std::uint32_t type = style & SS_TYPEMASK;
    switch (type)
    {
    case SS_ICON:
    case SS_BITMAP:
        PaintIcon(p, n, b);
        return;
    case SS_BLACKRECT:
        p.fill(b, colours::kText);
        return;
    case SS_GRAYRECT:
        p.fill(b, colours::kShadow);
        return;
    case SS_WHITERECT:
        p.fill(b, colours::kWindow);
        return;
    case SS_BLACKFRAME:
        p.outline(b, colours::kText);
        return;
    case SS_GRAYFRAME:
        p.outline(b, colours::kShadow);
        return;
    case SS_WHITEFRAME:
        p.outline(b, colours::kWindow);
        return;
    case SS_ETCHEDHORZ:
        p.fill({b.left, b.top, b.width, 1}, colours::kShadow);
        p.fill({b.left, b.top + 1, b.width, 1}, colours::kHighlight);
        return;
    case SS_ETCHEDVERT:
        p.fill({b.left, b.top, 1, b.height}, colours::kShadow);
        p.fill({b.left + 1, b.top, 1, b.height}, colours::kHighlight);
        return;
    case SS_ETCHEDFRAME:
        p.etched(b);
        return;
    default:
        break;
    }
    Box area = b;
    if ((style & SS_SUNKEN) != 0)
    {
        p.thinSunken(b);
        area = b.inset(2);
    }
    const std::string raw = TreeText(n, "text");
    const std::string text = (style & SS_NOPREFIX) != 0 ? raw : WithoutMnemonics(raw);
    const Align align = type == SS_CENTER  ? Align::Center
                        : type == SS_RIGHT ? Align::Right
                                           : Align::Left;
    const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
    const auto lines = wraps ? p.wrap(text, area.width) : std::vector<std::string>{text};
    int y = area.top;
    if ((style & SS_CENTERIMAGE) != 0 && lines.size() == 1)
        y = area.top + (area.height - p.lineHeight()) / 2;
    for (const auto& line : lines)
    {
        if (y >= area.bottom())
            break;
        label(p, line, {area.left, y, area.width, p.lineHeight()}, align, TreeFlag(n, "enabled"));
        y += p.lineHeight();
    }
}

void edit(Painter& p, const json& n, const Box& b)
{
    const std::uint32_t style = TreeStyle(n);
    const bool enabled = TreeFlag(n, "enabled");
    const bool bordered = (style & WS_BORDER) != 0;
    Box inner = b;
    if (bordered)
    {
        p.sunken(b);
        inner = b.inset(2);
    }
    p.fill(inner, enabled && !TreeFlag(n, "read_only") ? colours::kWindow : colours::kFace);
    std::string text = TreeText(n, "text");
    const std::string hidden = TreeText(n, "password_char");
    if (!hidden.empty())
    {
        std::string dots;
        for (int i = codePoints(text); i > 0; --i)
            dots += hidden;
        text = dots;
    }
    const Colour ink = enabled ? colours::kText : colours::kGrey;
    const Align align = (style & ES_RIGHT) != 0    ? Align::Right
                        : (style & ES_CENTER) != 0 ? Align::Center
                                                   : Align::Left;
    const Box area{inner.left + 1, inner.top, inner.width - 2, inner.height};
    Painter::Clip clip(p, inner);
    if ((style & ES_MULTILINE) != 0)
    {
        int y = area.top + 1;
        for (const auto& line : p.wrap(text, area.width))
        {
            p.text(line, {area.left, y, area.width, p.lineHeight()}, align, ink);
            y += p.lineHeight();
        }
        return;
    }
    p.text(text, area, align, ink);
    if (TreeFlag(n, "focused"))
    {
        // The caret after the text.
        const int x = area.left + std::min(p.textWidth(text), area.width - 1);
        const int top = area.top + (area.height - p.lineHeight()) / 2;
        p.fill({x, top, 1, p.lineHeight()}, colours::kText);
    }
}

// A list of entries from `top` down, the selected one highlighted.
void entries(Painter& p, const std::vector<std::string>& items, long selection, const Box& area,
             bool enabled)
{
    Painter::Clip clip(p, area);
    const int step = p.lineHeight();
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        const Box line{area.left, area.top + static_cast<int>(i) * step, area.width, step};
        if (line.top >= area.bottom())
            break;
        const bool chosen = static_cast<long>(i) == selection;
        if (chosen)
            p.fill(line, colours::kSelection);
        p.text(items[i], {line.left + 2, line.top, line.width - 4, line.height}, Align::Left,
               chosen    ? colours::kSelectionText
               : enabled ? colours::kText
                         : colours::kGrey);
    }
}

void comboBox(Painter& p, const json& n, const Box& b)
{
    const std::uint32_t style = TreeStyle(n);
    const bool enabled = TreeFlag(n, "enabled");
    const bool simple = (style & 3) == CBS_SIMPLE;
    const auto items = TreeTexts(n, "items");
    const long selection = TreeNumber(n, "selection", -1);
    const Box field{b.left, b.top, b.width, std::min(b.height, kComboHeight)};
    p.sunken(field);
    const Box inner = field.inset(2);
    p.fill(inner, enabled ? colours::kWindow : colours::kFace);
    std::string shown = TreeText(n, "text");
    if (selection >= 0 && selection < static_cast<long>(items.size()))
        shown = items[static_cast<std::size_t>(selection)];
    Box textBox{inner.left + 1, inner.top + 1, inner.width - 2, inner.height - 2};
    if (!simple)
    {
        const Box drop{inner.right() - kDropButton, inner.top, kDropButton, inner.height};
        p.fill(drop, colours::kFace);
        p.raised(drop);
        p.arrow(drop, true, enabled ? colours::kText : colours::kGrey);
        textBox.width -= kDropButton;
    }
    // A focused drop-down list shows its choice selected.
    const bool chosen = TreeFlag(n, "focused") && (style & 3) == CBS_DROPDOWNLIST;
    if (chosen)
        p.fill(textBox, colours::kSelection);
    {
        Painter::Clip clip(p, textBox);
        p.text(shown, {textBox.left + 2, textBox.top, textBox.width - 2, textBox.height},
               Align::Left,
               chosen    ? colours::kSelectionText
               : enabled ? colours::kText
                         : colours::kGrey);
    }
    if (simple && b.height > field.height)
    {
        const Box list{b.left, field.bottom(), b.width, b.height - field.height};
        p.sunken(list);
        p.fill(list.inset(2), colours::kWindow);
        entries(p, items, selection, list.inset(2), enabled);
    }
}

void listBox(Painter& p, const json& n, const Box& b)
{
    const bool enabled = TreeFlag(n, "enabled");
    p.sunken(b);
    p.fill(b.inset(2), enabled ? colours::kWindow : colours::kFace);
    entries(p, TreeTexts(n, "items"), TreeNumber(n, "selection", -1), b.inset(2), enabled);
}

// A row's image, when it has one.
bool rowHasImage(const json& row)
{
    return RowImageOf(row).has_value();
}

void listView(Painter& p, const json& n, const Box& b)
{
    const std::uint32_t style = TreeStyle(n);
    const bool enabled = TreeFlag(n, "enabled");
    const bool focused = TreeFlag(n, "focused");
    p.sunken(b);
    const Box inner = b.inset(2);
    p.fill(inner, colours::kWindow);
    Painter::Clip clip(p, inner);

    const auto columns = TreeTexts(n, "columns");
    const json rows = n.contains("rows") && n["rows"].is_array() ? n["rows"] : json::array();
    const bool report = (style & 3) == LVS_REPORT;
    const bool images = std::any_of(rows.begin(), rows.end(), rowHasImage);
    const int imageWidth = images ? 18 : 0;

    // The tree holds no column widths: each column is as wide as its widest text.
    std::size_t count = std::max<std::size_t>(columns.size(), 1);
    std::vector<int> width(count, 0);
    for (std::size_t c = 0; c < count; ++c)
    {
        width[c] = c < columns.size() ? p.textWidth(columns[c]) + 14 : 0;
        for (const auto& r : rows)
        {
            const auto cells = TreeTexts(r, "cells");
            if (c < cells.size())
                width[c] = std::max(width[c], p.textWidth(cells[c]) + 14);
        }
        if (c == 0)
            width[c] += imageWidth;
        width[c] = std::max(width[c], 40);
    }
    if (!report)
        width = {inner.width};

    int y = inner.top;
    if (report && (style & LVS_NOCOLUMNHEADER) == 0)
    {
        const int height = p.lineHeight() + 5;
        int x = inner.left;
        for (std::size_t c = 0; c < columns.size(); ++c)
        {
            const Box head{x, y, width[c], height};
            p.fill(head, colours::kFace);
            p.raised(head);
            p.text(columns[c], {x + 6, y, width[c] - 10, height}, Align::Left,
                   enabled ? colours::kText : colours::kGrey);
            x += width[c];
        }
        if (x < inner.right())
        {
            const Box rest{x, y, inner.right() - x, height};
            p.fill(rest, colours::kFace);
            p.raised(rest);
        }
        y += height;
    }

    const int rowHeight = std::max(p.lineHeight() + 3, images ? 17 : 0);
    for (const auto& r : rows)
    {
        if (y >= inner.bottom())
            break;
        const auto cells = TreeTexts(r, "cells");
        int total = 0;
        for (int w : width)
            total += w;
        const Box line{inner.left, y, report ? total : inner.width, rowHeight};
        const bool selected = TreeFlag(r, "selected");
        // A list view shows its selection while it has the focus, or always when asked to.
        const bool shown = selected && (focused || (style & LVS_SHOWSELALWAYS) != 0);
        const bool highlighted = shown && focused;
        if (shown)
            p.fill(line, highlighted ? colours::kSelection : colours::kFace);
        int x = inner.left;
        for (std::size_t c = 0; c < width.size(); ++c)
        {
            int left = x + 6;
            if (c == 0 && images)
            {
                if (auto image = RowImageOf(r))
                    PaintRowImage(p, *image, {x + 2, y + (rowHeight - 16) / 2, 16, 16});
                left = x + 2 + imageWidth;
            }
            const std::string cell = c < cells.size() ? cells[c] : std::string();
            Painter::Clip cellClip(p, {x, y, width[c] - 2, rowHeight});
            p.text(cell, {left, y, x + width[c] - left - 4, rowHeight}, Align::Left,
                   highlighted ? colours::kSelectionText
                   : enabled   ? colours::kText
                               : colours::kGrey);
            x += width[c];
        }
        if (focused && TreeFlag(r, "focused"))
            p.focusRect(line);
        y += rowHeight;
    }
}

void slider(Painter& p, const json& n, const Box& b)
{
    const std::uint32_t style = TreeStyle(n);
    const bool vertical = (style & TBS_VERT) != 0;
    const long low = TreeNumber(n, "range_min"), high = TreeNumber(n, "range_max");
    const long pos = std::clamp(TreeNumber(n, "pos"), std::min(low, high), std::max(low, high));
    const double fraction = high > low ? static_cast<double>(pos - low) / (high - low) : 0.0;
    const int along = vertical ? b.height : b.width;
    const int across = vertical ? b.width : b.height;
    const int thumbLong = std::min(21, std::max(across - 6, 8)); // across the channel
    const int thumbShort = 11;                                   // along it
    const int start = thumbShort / 2 + 2;
    const int length = std::max(along - 2 * start, 1);
    const int centre = static_cast<int>(start + fraction * length);
    const int channelAt = 2 + thumbLong / 2 - 2;
    auto place = [&](int a, int c, int alongSize, int acrossSize) -> Box
    {
        return vertical ? Box{b.left + c, b.top + a, acrossSize, alongSize}
                        : Box{b.left + a, b.top + c, alongSize, acrossSize};
    };
    p.sunken(place(start - 2, channelAt, length + 4, 4));
    if ((style & TBS_NOTICKS) == 0)
    {
        const long span = high - low;
        const long step = (style & TBS_AUTOTICKS) != 0 && span > 0 && span <= 50 ? 1 : span;
        for (long v = low; span > 0 && v <= high; v += step)
        {
            const int at = static_cast<int>(start + static_cast<double>(v - low) / span * length);
            p.fill(place(at, 2 + thumbLong + 2, 1, 3), colours::kText);
        }
    }
    const Box thumb = place(centre - thumbShort / 2, 2, thumbShort, thumbLong);
    p.fill(thumb, colours::kFace);
    p.raised(thumb);
    if (TreeFlag(n, "focused"))
        p.focusRect(b);
}

void progress(Painter& p, const json& n, const Box& b)
{
    const std::uint32_t style = TreeStyle(n);
    p.thinSunken(b);
    const Box inner = b.inset(1);
    p.fill(inner, colours::kFace);
    const long low = TreeNumber(n, "range_min"), high = TreeNumber(n, "range_max");
    const double fraction =
        high > low
            ? std::clamp(static_cast<double>(TreeNumber(n, "pos") - low) / (high - low), 0.0, 1.0)
            : 0.0;
    const bool vertical = (style & PBS_VERTICAL) != 0;
    const Box bar = inner.inset(1);
    const int length = vertical ? bar.height : bar.width;
    const int filled = static_cast<int>(fraction * length + 0.5);
    if ((style & PBS_SMOOTH) != 0)
    {
        p.fill(vertical ? Box{bar.left, bar.bottom() - filled, bar.width, filled}
                        : Box{bar.left, bar.top, filled, bar.height},
               colours::kSelection);
        return;
    }
    // Blocks two thirds as long as the bar is thick, two pixels apart.
    const int block = std::max(2, (vertical ? bar.width : bar.height) * 2 / 3);
    for (int at = 0; at < filled; at += block + 2)
    {
        const int size = std::min(block, filled - at);
        p.fill(vertical ? Box{bar.left, bar.bottom() - at - size, bar.width, size}
                        : Box{bar.left + at, bar.top, size, bar.height},
               colours::kSelection);
    }
}

void ipAddress(Painter& p, const json& n, const Box& b)
{
    const bool enabled = TreeFlag(n, "enabled");
    p.sunken(b);
    const Box inner = b.inset(2);
    p.fill(inner, enabled ? colours::kWindow : colours::kFace);
    std::vector<std::string> fields(4);
    const std::string text = TreeText(n, "text");
    std::size_t f = 0;
    for (char c : text)
        if (c == '.' && f < 3)
            ++f;
        else
            fields[f] += c;
    const int quarter = inner.width / 4;
    const Colour ink = enabled ? colours::kText : colours::kGrey;
    for (int i = 0; i < 4; ++i)
    {
        const Box part{inner.left + i * quarter, inner.top, quarter, inner.height};
        p.text(fields[static_cast<std::size_t>(i)], part, Align::Center, ink);
        if (i < 3)
            p.text(".", {part.right() - 3, part.top, 6, part.height}, Align::Center, ink);
    }
}

// A tab: lit on the left and top with a cut corner, shaded on the right for `rightSide` pixels.
void tabShape(Painter& p, const Box& t, int rightSide)
{
    p.fill({t.left, t.top + 1, t.width, t.height - 1}, colours::kFace);
    p.fill({t.left + 2, t.top, t.width - 4, 1}, colours::kHighlight);
    p.fill({t.left, t.top + 2, 1, t.height - 2}, colours::kHighlight);
    p.fill({t.left + 1, t.top + 1, 1, 1}, colours::kHighlight);
    p.fill({t.right() - 2, t.top + 2, 1, rightSide}, colours::kShadow);
    p.fill({t.right() - 1, t.top + 2, 1, rightSide}, colours::kDarkShadow);
}

// The tabs of a sheet above its active page, and the raised frame round the pages.
void sheetTabs(Painter& p, const json& sheet, Origin origin)
{
    const auto pages = TreeTexts(sheet, "pages");
    const long active = TreeNumber(sheet, "active_page", -1);
    const json* page = nullptr;
    for (const auto& c : TreeChildren(sheet))
        if (TreeText(c, "kind") == "dialog" && TreeFlag(c, "visible"))
            page = &c;
    if (pages.empty() || page == nullptr)
        return;
    const Box pageBox = BoxOf(*page, origin);
    const Box frame = pageBox.inset(-kTabFrameInset);
    p.raised(frame);
    int x = frame.left;
    Box activeTab{};
    for (std::size_t i = 0; i < pages.size(); ++i)
    {
        const std::string caption = WithoutMnemonics(pages[i]);
        const int width = std::max(p.textWidth(caption) + 12, 24);
        Box tab{x, frame.top - kTabHeight, width, kTabHeight};
        if (static_cast<long>(i) == active)
        {
            activeTab = {x - 2, frame.top - kTabHeight - 2, width + 4, kTabHeight + 3};
            x += width;
            continue;
        }
        tabShape(p, tab, tab.height - 2);
        p.text(caption, {tab.left, tab.top + 1, tab.width, tab.height - 1}, Align::Center,
               colours::kText);
        x += width;
    }
    if (activeTab.empty())
        return;
    // The chosen tab stands in front, joined to the frame below it.
    const Box t = activeTab;
    tabShape(p, t, t.height - 3);
    p.text(WithoutMnemonics(pages[static_cast<std::size_t>(active)]),
           {t.left, t.top, t.width, t.height - 2}, Align::Center, colours::kText);
}

void paintNode(Painter& p, const json& n, Origin origin)
{
    if (!TreeFlag(n, "visible"))
        return;
    const Box b = BoxOf(n, origin);
    const std::string kind = TreeText(n, "kind");
    {
        Painter::Clip clip(p, b);
        if (kind == "button")
            button(p, n, b);
        else if (kind == "check")
            checkOrRadio(p, n, b, false);
        else if (kind == "radio")
            checkOrRadio(p, n, b, true);
        else if (kind == "group")
            groupBox(p, n, b);
        else if (kind == "static")
            staticControl(p, n, b);
        else if (kind == "edit")
            edit(p, n, b);
        else if (kind == "combo")
            comboBox(p, n, b);
        else if (kind == "list")
            listBox(p, n, b);
        else if (kind == "listview")
            listView(p, n, b);
        else if (kind == "slider")
            slider(p, n, b);
        else if (kind == "progress")
            progress(p, n, b);
        else if (kind == "ipaddress")
            ipAddress(p, n, b);
        else if (kind == "dialog")
            p.fill(b, colours::kFace);
        else if (kind == "menu")
            PaintMenu(p, n, b);
        else
            label(p, TreeText(n, "text"), b, Align::Left, TreeFlag(n, "enabled"));
    }
    // The controls of a page, or of a control made of others, within their parent.
    Painter::Clip clip(p, b);
    PaintChildren(p, n, origin);
}

} // namespace

Box BoxOf(const json& node, Origin origin)
{
    const json rect = node.contains("rect") ? node["rect"] : json::object();
    const int left = static_cast<int>(TreeNumber(rect, "left")) + origin.x;
    const int top = static_cast<int>(TreeNumber(rect, "top")) + origin.y;
    return {left, top, static_cast<int>(TreeNumber(rect, "right")) + origin.x - left,
            static_cast<int>(TreeNumber(rect, "bottom")) + origin.y - top};
}

void PaintChildren(Painter& p, const json& node, Origin origin)
{
    if (node.contains("pages"))
        sheetTabs(p, node, origin);
    for (const auto& c : TreeChildren(node))
        paintNode(p, c, origin);
}

void PaintMenu(Painter& p, const json& node, const Box& b)
{
    p.fill(b, colours::kFace);
    p.raised(b);
    const json items =
        node.contains("menu") && node["menu"].is_array() ? node["menu"] : json::array();
    int y = b.top + 3;
    const int itemHeight = p.lineHeight() + 4;
    for (const auto& it : items)
    {
        if (TreeFlag(it, "separator"))
        {
            p.fill({b.left + 3, y + 3, b.width - 6, 1}, colours::kShadow);
            p.fill({b.left + 3, y + 4, b.width - 6, 1}, colours::kHighlight);
            y += 8;
            continue;
        }
        const Box line{b.left + 3, y, b.width - 6, itemHeight};
        const bool enabled = TreeFlag(it, "enabled");
        if (TreeFlag(it, "checked"))
            p.checkMark(line.left + 5, line.top + (itemHeight - 7) / 2 - 2,
                        enabled ? colours::kText : colours::kGrey);
        std::string text = TreeText(it, "text");
        std::string shortcut;
        if (auto tab = text.find('\t'); tab != std::string::npos)
            shortcut = text.substr(tab + 1), text.erase(tab);
        const Box textBox{line.left + 18, line.top, line.width - 36, line.height};
        label(p, WithoutMnemonics(text), textBox, Align::Left, enabled);
        if (!shortcut.empty())
            label(p, shortcut, textBox, Align::Right, enabled);
        if (it.contains("items"))
            p.arrow({line.right() - 14, line.top, 10, line.height}, false,
                    enabled ? colours::kText : colours::kGrey);
        y += itemHeight;
    }
}
