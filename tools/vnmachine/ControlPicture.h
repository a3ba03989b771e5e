#pragma once
// The controls of a window picture, each drawn from its node of the window tree as the classic
// desktop draws it: buttons, check and radio boxes with their state, group boxes, texts, edits,
// combo and list boxes, list views with their columns and rows, sliders, progress bars, address
// fields, icons, a property sheet's tabs with the active page, disabled controls greyed. Hidden
// controls and everything inside them are left out.

#include "tools/vnmachine/PicturePaint.h"

#include <nlohmann/json.hpp>

// Where the screen's origin lies in the picture.
struct Origin
{
    int x = 0, y = 0;
};

// The node's rectangle in the picture.
Box BoxOf(const nlohmann::json& node, Origin origin);

// The node's children (and a sheet's tabs), not the node itself.
void PaintChildren(Painter& p, const nlohmann::json& node, Origin origin);
// An open popup menu's items within b.
void PaintMenu(Painter& p, const nlohmann::json& node, const Box& b);
