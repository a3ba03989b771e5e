#include "platform/ui/automation/WindowJson.h"

#include "platform/ui/automation/Remote.h"

#include <string>

namespace platform::automation
{
namespace
{

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The length of the well-formed UTF-8 sequence at text[i], or 0 when the byte there starts none
// (overlong forms, surrogates and values past U+10FFFF are not well formed).
std::size_t sequenceAt(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    else
        return 0;
    if (i + length > text.size() || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(k) < 0x80 || byte(k) > 0xBF)
            return 0;
    return length;
}

// Writes the document in order; a comma goes before every key and array element but the first
// of its object or array.
class Writer
{
public:
    void open(char bracket) { m_out += bracket, m_first = true; }
    void close(char bracket) { m_out += bracket, m_first = false; }
    void key(const char* name)
    {
        comma();
        m_out += '"';
        m_out += name;
        m_out += "\":";
    }
    void element() { comma(); }
    void value(std::string_view text) { m_out += JsonString(text), m_first = false; }
    void value(long long number) { m_out += std::to_string(number), m_first = false; }
    void value(bool flag) { m_out += flag ? "true" : "false", m_first = false; }
    void value(const std::vector<std::string>& texts)
    {
        open('[');
        for (const auto& t : texts)
        {
            element();
            value(t);
        }
        close(']');
    }
    template <typename T> void field(const char* name, const T& v)
    {
        key(name);
        value(v);
    }
    void field(const char* name, const char* text) { field(name, std::string_view(text)); }
    void field(const char* name, int number) { field(name, static_cast<long long>(number)); }
    // The name, then an object or array the caller fills.
    void begin(const char* name, char bracket)
    {
        key(name);
        open(bracket);
    }
    std::string take() { return std::move(m_out); }

private:
    void comma()
    {
        if (!m_first)
            m_out += ',';
    }
    std::string m_out;
    bool m_first = true;
};

void writeMenu(Writer& w, const std::vector<MenuItemInfo>& items, int depth)
{
    w.open('[');
    for (const auto& it : items)
    {
        w.element();
        w.open('{');
        w.field("text", it.text);
        w.field("id", static_cast<long long>(it.id));
        w.field("checked", it.checked());
        w.field("enabled", it.enabled());
        w.field("separator", it.separator());
        // A menu never holds itself, but a bound keeps a broken one from recursing for ever.
        if (it.popup != 0 && depth < 16)
            if (auto below = DescribeMenu(it.popup))
            {
                w.key("items");
                writeMenu(w, *below, depth + 1);
            }
        w.close('}');
    }
    w.close(']');
}

// An icon or bitmap by its resource id and the name the program entered it under.
void writeImage(Writer& w, const char* name, UINT id, const std::string& text)
{
    w.begin(name, '{');
    w.field("id", static_cast<long long>(id));
    w.field("name", text);
    w.close('}');
}

void writeNode(Writer& w, const WindowNode& n)
{
    w.open('{');
    w.field("hwnd", HandleText(n.hwnd));
    w.field("kind", KindName(n.kind));
    w.field("class", n.className);
    w.field("id", n.id);
    w.field("text", n.text);
    w.field("style", static_cast<long long>(n.style));
    w.field("visible", n.visible);
    w.field("enabled", n.enabled);
    w.field("focused", n.focused);
    w.field("checked", n.checked);
    w.field("default", n.defaultButton);
    w.field("read_only", n.readOnly);
    if (n.passwordChar != 0)
        w.field("password_char", std::string(1, n.passwordChar));
    w.begin("rect", '{');
    w.field("left", static_cast<long long>(n.rect.left));
    w.field("top", static_cast<long long>(n.rect.top));
    w.field("right", static_cast<long long>(n.rect.right));
    w.field("bottom", static_cast<long long>(n.rect.bottom));
    w.close('}');
    if (n.iconId != 0)
        writeImage(w, "icon", n.iconId, n.iconName);
    if (n.bitmapId != 0)
        writeImage(w, "bitmap", n.bitmapId, n.bitmapName);

    switch (n.kind)
    {
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
        w.field("items", n.items);
        w.field("selection", n.selection);
        break;
    case ControlKind::ListView:
        w.field("columns", n.columns);
        w.begin("rows", '[');
        for (const auto& r : n.rows)
        {
            w.element();
            w.open('{');
            w.field("cells", r.cells);
            w.field("selected", r.selected);
            w.field("focused", r.focused);
            if (r.image >= 0)
            {
                w.begin("image", '{');
                w.field("index", r.image);
                w.field("id", static_cast<long long>(r.imageIcon));
                w.field("name", r.imageName);
                w.close('}');
            }
            w.close('}');
        }
        w.close(']');
        break;
    case ControlKind::Slider:
    case ControlKind::Progress:
        w.field("pos", n.pos);
        w.field("range_min", n.rangeMin);
        w.field("range_max", n.rangeMax);
        break;
    case ControlKind::Menu:
        w.key("menu");
        writeMenu(w, n.menu, 0);
        break;
    default:
        break;
    }
    if (!n.pages.empty())
    {
        w.field("pages", n.pages);
        w.field("active_page", n.activePage);
    }

    w.begin("children", '[');
    for (const auto& c : n.children)
    {
        w.element();
        writeNode(w, c);
    }
    w.close(']');
    w.close('}');
}

} // namespace

std::string JsonString(std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();)
    {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = sequenceAt(text, i);
        if (length == 0)
        {
            out += kReplacement;
            ++i;
            continue;
        }
        if (length > 1)
        {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        ++i;
        switch (c)
        {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F)
            {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            }
            else
                out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string WindowJson(const WindowNode& node)
{
    Writer w;
    writeNode(w, node);
    return w.take();
}

std::string WindowTreeJson(HWND hwnd)
{
    auto node = Describe(hwnd);
    return node ? WindowJson(*node) : std::string();
}

} // namespace platform::automation
