#include "tools/vnmachine/PicturePaint.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace
{

// The dialog font of the desktop the windows were made for is about 11 pixels to the em; the
// installed sans font at that size keeps texts within the controls laid out for it.
constexpr double kFontSize = 10.5;
constexpr const char* kFontFamily = "DejaVu Sans";

void setColour(cairo_t* cr, Colour c)
{
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

} // namespace

Painter::Painter(cairo_t* cr) : m_cr(cr)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(m_cr, options);
    cairo_font_options_destroy(options);
    font(false);
    cairo_font_extents_t extents;
    cairo_font_extents(m_cr, &extents);
    m_ascent = extents.ascent;
    m_lineHeight = static_cast<int>(std::ceil(extents.ascent + extents.descent));
}

void Painter::font(bool bold)
{
    cairo_select_font_face(m_cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(m_cr, kFontSize);
}

void Painter::fill(const Box& b, Colour c)
{
    if (b.empty())
        return;
    setColour(m_cr, c);
    cairo_rectangle(m_cr, b.left, b.top, b.width, b.height);
    cairo_fill(m_cr);
}

void Painter::outline(const Box& b, Colour c)
{
    fill({b.left, b.top, b.width, 1}, c);
    fill({b.left, b.bottom() - 1, b.width, 1}, c);
    fill({b.left, b.top, 1, b.height}, c);
    fill({b.right() - 1, b.top, 1, b.height}, c);
}

void Painter::gradient(const Box& b, Colour from, Colour to)
{
    if (b.empty())
        return;
    cairo_pattern_t* pattern = cairo_pattern_create_linear(b.left, 0, b.right(), 0);
    cairo_pattern_add_color_stop_rgb(pattern, 0, from.r, from.g, from.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, to.r, to.g, to.b);
    cairo_set_source(m_cr, pattern);
    cairo_rectangle(m_cr, b.left, b.top, b.width, b.height);
    cairo_fill(m_cr);
    cairo_pattern_destroy(pattern);
}

namespace
{

// The top and left sides in one colour, the bottom and right in another.
void edge(Painter& p, const Box& b, Colour topLeft, Colour bottomRight)
{
    p.fill({b.left, b.top, b.width, 1}, topLeft);
    p.fill({b.left, b.top, 1, b.height}, topLeft);
    p.fill({b.left, b.bottom() - 1, b.width, 1}, bottomRight);
    p.fill({b.right() - 1, b.top, 1, b.height}, bottomRight);
}

} // namespace

void Painter::raised(const Box& b)
{
    edge(*this, b, colours::kHighlight, colours::kDarkShadow);
    edge(*this, b.inset(1), colours::kFace, colours::kShadow);
}

void Painter::sunken(const Box& b)
{
    edge(*this, b, colours::kShadow, colours::kHighlight);
    edge(*this, b.inset(1), colours::kDarkShadow, colours::kFace);
}

void Painter::thinSunken(const Box& b)
{
    edge(*this, b, colours::kShadow, colours::kHighlight);
}

void Painter::etched(const Box& b)
{
    outline({b.left + 1, b.top + 1, b.width - 1, b.height - 1}, colours::kHighlight);
    outline({b.left, b.top, b.width - 1, b.height - 1}, colours::kShadow);
}

void Painter::focusRect(const Box& b)
{
    for (int x = b.left; x < b.right(); x += 2)
    {
        fill({x, b.top, 1, 1}, colours::kText);
        fill({x, b.bottom() - 1, 1, 1}, colours::kText);
    }
    for (int y = b.top; y < b.bottom(); y += 2)
    {
        fill({b.left, y, 1, 1}, colours::kText);
        fill({b.right() - 1, y, 1, 1}, colours::kText);
    }
}

int Painter::textWidth(const std::string& text, bool bold)
{
    if (text.empty())
        return 0;
    font(bold);
    cairo_text_extents_t extents;
    cairo_text_extents(m_cr, text.c_str(), &extents);
    font(false);
    return static_cast<int>(std::ceil(extents.x_advance));
}

void Painter::text(const std::string& text, const Box& b, Align align, Colour c, bool bold)
{
    if (text.empty())
        return;
    const int width = textWidth(text, bold);
    double x = b.left;
    if (align == Align::Center)
        x = b.left + (b.width - width) / 2;
    else if (align == Align::Right)
        x = b.right() - width;
    const double y = b.top + std::floor((b.height - m_lineHeight) / 2.0) + m_ascent;
    font(bold);
    setColour(m_cr, c);
    cairo_move_to(m_cr, std::round(x), std::round(y));
    cairo_show_text(m_cr, text.c_str());
    font(false);
}

void Painter::greyedText(const std::string& text, const Box& b, Align align)
{
    this->text(text, {b.left + 1, b.top + 1, b.width, b.height}, align, colours::kHighlight);
    this->text(text, b, align, colours::kGrey);
}

std::vector<std::string> Painter::wrap(const std::string& text, int width)
{
    std::vector<std::string> lines;
    std::istringstream paragraphs(text);
    for (std::string paragraph; std::getline(paragraphs, paragraph);)
    {
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.pop_back();
        std::string line;
        std::istringstream words(paragraph);
        for (std::string word; words >> word;)
        {
            const std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && textWidth(longer) > width)
            {
                lines.push_back(line);
                line = word;
            }
            else
                line = longer;
        }
        lines.push_back(line);
    }
    return lines;
}

void Painter::checkMark(int left, int top, Colour c)
{
    // The classic mark: a short stroke down, then a long one up, three pixels thick.
    for (int i = 0; i < 7; ++i)
    {
        const int y = i < 3 ? top + 2 + i : top + 6 - i;
        fill({left + i, y, 1, 3}, c);
    }
}

void Painter::arrow(const Box& b, bool down, Colour c)
{
    const int size = 4; // rows of the triangle
    if (down)
    {
        const int x = b.left + (b.width - (2 * size - 1)) / 2;
        const int y = b.top + (b.height - size) / 2;
        for (int i = 0; i < size; ++i)
            fill({x + i, y + i, 2 * (size - i) - 1, 1}, c);
    }
    else // pointing right
    {
        const int x = b.left + (b.width - size) / 2;
        const int y = b.top + (b.height - (2 * size - 1)) / 2;
        for (int i = 0; i < size; ++i)
            fill({x + i, y + i, 1, 2 * (size - i) - 1}, c);
    }
}

void Painter::disc(double cx, double cy, double r, Colour c)
{
    setColour(m_cr, c);
    cairo_arc(m_cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(m_cr);
}

void Painter::ring(double cx, double cy, double r, Colour c)
{
    setColour(m_cr, c);
    cairo_set_line_width(m_cr, 1);
    cairo_arc(m_cr, cx, cy, r - 0.5, 0, 2 * M_PI);
    cairo_stroke(m_cr);
}

Painter::Clip::Clip(Painter& p, const Box& b) : m_cr(p.m_cr)
{
    cairo_save(m_cr);
    cairo_rectangle(m_cr, b.left, b.top, std::max(0, b.width), std::max(0, b.height));
    cairo_clip(m_cr);
}

Painter::Clip::~Clip()
{
    cairo_restore(m_cr);
}

std::string WithoutMnemonics(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '&')
        {
            if (i + 1 < text.size() && text[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}
