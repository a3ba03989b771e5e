#pragma once
// A picture of a window as a person sees it, drawn from its tree: the frame and caption its
// style gives it around its rectangle, then its controls in their places.
//
// The window's rectangle is what its program laid out; the frame lies outside it. The picture
// is the rectangle with kFrameBorder pixels on each side when the window has a frame (a caption,
// a dialog frame, a sizing border) and kCaptionHeight more above it when it has a caption. A
// popup menu is its rectangle alone.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>

inline constexpr int kFrameBorder = 3;
inline constexpr int kCaptionHeight = 18;

struct PictureLayout
{
    int border = 0;  // on each side
    int caption = 0; // above the rectangle, inside the border
    int width = 0, height = 0;
};

PictureLayout LayoutOf(const nlohmann::json& tree);

// Draws the tree and writes it as PNG; an empty text when written, else what failed.
std::string WriteWindowPicture(const nlohmann::json& tree, const std::string& file);
