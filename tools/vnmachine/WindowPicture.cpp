#include "tools/vnmachine/WindowPicture.h"

#include "platform/ui/WindowStyles.h"
#include "tools/vnmachine/ControlPicture.h"
#include "tools/vnmachine/IconPicture.h"
#include "tools/vnmachine/PicturePaint.h"
#include "tools/vnmachine/WindowTree.h"

#include <cairo.h>

#include <algorithm>
#include <memory>

namespace
{

using nlohmann::json;

struct SurfaceFree
{
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextFree
{
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

void caption(Painter& p, const json& tree, const Box& bar, bool closeBox)
{
    p.gradient(bar, colours::kCaption, colours::kCaptionEnd);
    Box title{bar.left + 4, bar.top, bar.width - 8, bar.height};
    if (auto icon = IconOf(tree))
    {
        // The title-bar icon, small, before the title.
        PaintIconRef(p, *icon, {bar.left + 2, bar.top + (bar.height - 16) / 2, 16, 16});
        title.left += 18;
        title.width -= 18;
    }
    if (closeBox)
    {
        // The close box at the right end.
        const Box close{bar.right() - 18, bar.top + 2, 16, bar.height - 4};
        p.fill(close, colours::kFace);
        p.raised(close);
        for (int i = 0; i < 7; ++i)
        {
            const int x = close.left + 4 + i, y = close.top + (close.height - 7) / 2 + i;
            p.fill({x, y, 2, 1}, colours::kText);
            p.fill({close.left + 10 - i, y, 2, 1}, colours::kText);
        }
        title.width -= 20;
    }
    Painter::Clip clip(p, title);
    p.text(TreeText(tree, "text"), title, Align::Left, colours::kSelectionText, true);
}

} // namespace

PictureLayout LayoutOf(const json& tree)
{
    const std::uint32_t style = TreeStyle(tree);
    PictureLayout l;
    const bool captioned = (style & WS_CAPTION) == WS_CAPTION;
    // A popup menu draws its own edge within its rectangle.
    const bool menu = TreeText(tree, "kind") == "menu";
    const bool framed = captioned || (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) != 0 ||
                        (style & DS_MODALFRAME) != 0;
    if (framed && !menu)
        l.border = kFrameBorder;
    if (captioned)
        l.caption = kCaptionHeight;
    const Box b = BoxOf(tree, {});
    l.width = std::max(b.width, 0) + 2 * l.border;
    l.height = std::max(b.height, 0) + 2 * l.border + l.caption;
    return l;
}

std::string WriteWindowPicture(const json& tree, const std::string& file)
{
    const PictureLayout l = LayoutOf(tree);
    if (l.width <= 0 || l.height <= 0)
        return "the window has no size to draw";
    std::unique_ptr<cairo_surface_t, SurfaceFree> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, l.width, l.height));
    std::unique_ptr<cairo_t, ContextFree> cr(cairo_create(surface.get()));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
        return "cannot draw a picture of " + std::to_string(l.width) + " x " +
               std::to_string(l.height);
    Painter p(cr.get());
    const Box whole{0, 0, l.width, l.height};
    p.fill(whole, colours::kFace);
    if (l.border > 0)
        p.raised(whole);
    if (l.caption > 0)
        caption(p, tree, {l.border, l.border, l.width - 2 * l.border, l.caption - 1},
                (TreeStyle(tree) & WS_SYSMENU) != 0);

    const Box client = BoxOf(tree, {});
    const Origin origin{l.border - client.left, l.border + l.caption - client.top};
    const Box area = BoxOf(tree, origin);
    {
        Painter::Clip clip(p, area);
        if (TreeText(tree, "kind") == "menu")
            PaintMenu(p, tree, area);
        else
            PaintChildren(p, tree, origin);
    }
    cairo_surface_flush(surface.get());
    if (cairo_surface_write_to_png(surface.get(), file.c_str()) != CAIRO_STATUS_SUCCESS)
        return "cannot write " + file;
    return {};
}
