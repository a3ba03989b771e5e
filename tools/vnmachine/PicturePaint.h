#pragma once
// The pen of a window picture: the classic desktop's face and edge colours, raised and sunken
// edges, text in the dialog font, and the small glyphs controls are made of (check marks,
// arrows, discs). Coordinates are the picture's pixels; shapes are filled on whole pixels so
// that edges stay sharp.

#include <cairo.h>

#include <string>
#include <vector>

struct Colour
{
    double r, g, b;
};

namespace colours
{
inline constexpr Colour kFace{0.831, 0.816, 0.784}; // 3D face
inline constexpr Colour kHighlight{1, 1, 1};        // the lit edge
inline constexpr Colour kShadow{0.502, 0.502, 0.502};
inline constexpr Colour kDarkShadow{0.251, 0.251, 0.251};
inline constexpr Colour kWindow{1, 1, 1};
inline constexpr Colour kText{0, 0, 0};
inline constexpr Colour kGrey{0.502, 0.502, 0.502};
inline constexpr Colour kSelection{0.039, 0.141, 0.416};
inline constexpr Colour kSelectionText{1, 1, 1};
inline constexpr Colour kCaption{0.039, 0.141, 0.416};
inline constexpr Colour kCaptionEnd{0.651, 0.792, 0.941};
inline constexpr Colour kGood{0.18, 0.6, 0.2};
inline constexpr Colour kBad{0.75, 0.15, 0.1};
} // namespace colours

struct Box
{
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    Box inset(int d) const { return {left + d, top + d, width - 2 * d, height - 2 * d}; }
    bool empty() const { return width <= 0 || height <= 0; }
};

enum class Align
{
    Left,
    Center,
    Right
};

class Painter
{
public:
    explicit Painter(cairo_t* cr);

    void fill(const Box& b, Colour c);
    void outline(const Box& b, Colour c); // one pixel inside b
    void gradient(const Box& b, Colour from, Colour to);
    // Two-pixel edges: a button's, and a field's (edit, list) set into the face.
    void raised(const Box& b);
    void sunken(const Box& b);
    // One-pixel sunken line pair and the etched frame of a group.
    void thinSunken(const Box& b);
    void etched(const Box& b);
    void focusRect(const Box& b); // dotted

    // Text in the dialog font (or its bold), on one line, vertically centred in b.
    int textWidth(const std::string& text, bool bold = false);
    int lineHeight() const { return m_lineHeight; }
    void text(const std::string& text, const Box& b, Align align, Colour c, bool bold = false);
    // A disabled control's text: grey, with the lit edge's white one pixel below and right.
    void greyedText(const std::string& text, const Box& b, Align align);
    // Words broken over lines no wider than width; line feeds break too.
    std::vector<std::string> wrap(const std::string& text, int width);

    void checkMark(int left, int top, Colour c);         // 7 x 7
    void arrow(const Box& b, bool down, Colour c);       // a small solid triangle centred in b
    void disc(double cx, double cy, double r, Colour c); // a filled circle
    void ring(double cx, double cy, double r, Colour c); // a circle's one-pixel outline

    // Drawing limited to b until the scope ends.
    class Clip
    {
    public:
        Clip(Painter& p, const Box& b);
        ~Clip();
        Clip(const Clip&) = delete;
        Clip& operator=(const Clip&) = delete;

    private:
        cairo_t* m_cr;
    };

private:
    void font(bool bold);
    cairo_t* m_cr;
    int m_lineHeight = 13;
    double m_ascent = 10;
};

// A label as drawn: '&' marks a mnemonic and goes, "&&" is one '&'.
std::string WithoutMnemonics(const std::string& text);
