#include "tools/vnmachine/IconPicture.h"

#include "tools/vnmachine/WindowTree.h"

#include <algorithm>
#include <cctype>

namespace
{

using nlohmann::json;

std::optional<IconRef> refFrom(const json& value)
{
    IconRef ref;
    if (value.is_number_integer())
        ref.id = value.get<long>();
    else if (value.is_object())
    {
        ref.id = TreeNumber(value, "id", -1);
        ref.name = TreeText(value, "name");
    }
    else
        return std::nullopt;
    std::transform(ref.name.begin(), ref.name.end(), ref.name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ref.id < 0 && ref.name.empty())
        return std::nullopt;
    return ref;
}

// Whether the icon's name holds the word (whole: "on" is not in "connected").
bool says(const IconRef& icon, const std::string& word)
{
    std::size_t at = 0;
    const auto letter = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    while ((at = icon.name.find(word, at)) != std::string::npos)
    {
        const std::size_t end = at + word.size();
        if ((at == 0 || !letter(icon.name[at - 1])) &&
            (end == icon.name.size() || !letter(icon.name[end])))
            return true;
        at = end;
    }
    return false;
}

// Signal bars, `lit` of three in colour, on a square of side s at (x, y).
void bars(Painter& p, int x, int y, int s, int lit, Colour colour)
{
    const int width = std::max(2, s / 5);
    const int gap = std::max(1, s / 10);
    for (int i = 0; i < 3; ++i)
    {
        const int height = s * (i + 2) / 5;
        const Box bar{x + gap + i * (width + gap), y + s - height, width, height};
        p.fill(bar, i < lit ? colour : colours::kShadow);
        p.outline(bar, colours::kDarkShadow);
    }
}

void cross(Painter& p, int x, int y, int s, Colour colour)
{
    const int t = std::max(2, s / 8);
    for (int i = 0; i < s; ++i)
    {
        p.fill({x + i, y + i, t, t}, colour);
        p.fill({x + s - 1 - i, y + i, t, t}, colour);
    }
}

} // namespace

std::optional<IconRef> IconOf(const json& node)
{
    for (const char* key : {"icon", "bitmap"})
        if (auto it = node.find(key); it != node.end())
            if (auto ref = refFrom(*it))
                return ref;
    return std::nullopt;
}

std::optional<IconRef> RowImageOf(const json& row)
{
    auto it = row.find("image");
    return it != row.end() ? refFrom(*it) : std::nullopt;
}

void PaintIconRef(Painter& p, const IconRef& icon, const Box& b)
{
    const int s = std::max(8, std::min({b.width, b.height, 32}));
    const int x = b.left + (b.width - s) / 2;
    const int y = b.top + (b.height - s) / 2;
    const Box square{x, y, s, s};
    if (says(icon, "disconnected") || says(icon, "disconnect"))
    {
        bars(p, x, y, s, 0, colours::kShadow);
        cross(p, x + s / 2, y, s / 2, colours::kBad);
    }
    else if (says(icon, "adapter") || says(icon, "off"))
    {
        // Nothing there or switched off: a no-entry sign.
        p.disc(x + s / 2.0, y + s / 2.0, s / 2.0, colours::kBad);
        p.disc(x + s / 2.0, y + s / 2.0, s / 2.0 - std::max(2, s / 8), colours::kWindow);
        cross(p, x + s / 4, y + s / 4, s / 2, colours::kBad);
    }
    else if (says(icon, "error") || says(icon, "warning"))
    {
        // A warning triangle.
        for (int row = 0; row < s; ++row)
        {
            const int half = row / 2;
            p.fill({x + s / 2 - half, y + row, 2 * half + 1, 1}, {0.95, 0.75, 0.1});
        }
        p.fill({x + s / 2 - 1, y + s / 3, 2, s / 3}, colours::kText);
        p.fill({x + s / 2 - 1, y + s * 3 / 4, 2, 2}, colours::kText);
    }
    else if (says(icon, "weak"))
        bars(p, x, y, s, 1, colours::kGood);
    else if (says(icon, "normal"))
        bars(p, x, y, s, 2, colours::kGood);
    else if (says(icon, "good") || says(icon, "signal") || says(icon, "on"))
        bars(p, x, y, s, 3, colours::kGood);
    else if (says(icon, "profile"))
    {
        // A card, with a green mark when it is the one in use.
        const Box card{x + 1, y + s / 6, s - 2, s * 2 / 3};
        p.fill(card, {0.55, 0.7, 0.9});
        p.outline(card, colours::kSelection);
        if (says(icon, "active"))
            p.disc(x + s * 3 / 4.0, y + s * 3 / 4.0, s / 4.0, colours::kGood);
    }
    else if (says(icon, "connected") || says(icon, "active"))
    {
        // The link's marker: a green disc with a white tick.
        p.disc(x + s / 2.0, y + s / 2.0, s / 2.0, colours::kGood);
        p.checkMark(x + (s - 7) / 2, y + (s - 7) / 2 - 1, colours::kWindow);
    }
    else
    {
        // An icon the signs do not know: a tile with its number.
        p.fill(square, colours::kFace);
        p.raised(square);
        if (icon.id > 0)
            p.text(std::to_string(icon.id), square, Align::Center, colours::kText);
    }
}

void PaintIcon(Painter& p, const json& node, const Box& b)
{
    if (auto icon = IconOf(node))
        PaintIconRef(p, *icon, {b.left, b.top, std::min(b.width, 32), std::min(b.height, 32)});
}

void PaintRowImage(Painter& p, const IconRef& image, const Box& b)
{
    PaintIconRef(p, image, b);
}
