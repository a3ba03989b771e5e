#pragma once
// Icons and images in a window picture. The programs' icons are known by number and name, not by
// their pixels, so each is drawn as a small sign of what its name says (signal bars, a link
// marker, a warning, a profile card); one the signs do not know is a framed tile with its number.

#include "tools/vnmachine/PicturePaint.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

struct IconRef
{
    long id = -1;
    std::string name; // lower case words, as the tree gives them; empty when unknown
};

// A node's icon, else its bitmap (a static's or button's, a window's title-bar icon), or a
// list-view row's image; nullopt when it has none.
std::optional<IconRef> IconOf(const nlohmann::json& node);
std::optional<IconRef> RowImageOf(const nlohmann::json& row);

// The icon drawn within b (centred, at most 32 pixels square).
void PaintIconRef(Painter& p, const IconRef& icon, const Box& b);
// A static control showing an icon or bitmap.
void PaintIcon(Painter& p, const nlohmann::json& node, const Box& b);
void PaintRowImage(Painter& p, const IconRef& image, const Box& b);
