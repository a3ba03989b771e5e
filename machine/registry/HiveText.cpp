#include "machine/registry/HiveText.h"

#include "machine/HexDigit.h"
#include "machine/registry/HiveEdit.h"
#include "machine/text/Quoted.h"
#include "machine/text/Utf8.h"

#include <cstddef>
#include <optional>

namespace machine::registry
{
namespace
{

constexpr const char* kEol = "\r\n";
constexpr std::size_t kWrapColumn = 76; // the editor's hex lines stay within 80 columns

// --- writing ---------------------------------------------------------------------------

std::string quoted(std::string_view text)
{
    return machine::text::Quoted(text);
}

// A REG_SZ can be written as "text" only when reading "text" back gives the same bytes and a
// person's editor will not alter them: one terminator at the end, printable text before it.
bool writableAsString(const Value& v)
{
    if (v.type != kTypeString || v.data.empty() || v.data.back() != '\0')
        return false;
    std::string_view text(v.data.data(), v.data.size() - 1);
    for (std::size_t i = 0; i < text.size();)
    {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\t') || c == 0x7F)
            return false;
        std::size_t n = machine::text::Utf8SequenceLength(text, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

void appendHexData(std::string& out, std::string_view data, std::size_t column)
{
    static constexpr char digits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < data.size(); ++i)
    {
        unsigned char b = static_cast<unsigned char>(data[i]);
        out += digits[b >> 4];
        out += digits[b & 0xF];
        column += 2;
        if (i + 1 < data.size())
        {
            out += ',';
            ++column;
            if (column >= kWrapColumn)
            {
                out += "\\";
                out += kEol;
                out += "  ";
                column = 2;
            }
        }
    }
}

std::string hexPrefix(std::uint32_t type)
{
    if (type == kTypeBinary)
        return "hex:";
    static constexpr char digits[] = "0123456789abcdef";
    std::string n;
    do
    {
        n.insert(n.begin(), digits[type & 0xF]);
        type >>= 4;
    } while (type != 0);
    return "hex(" + n + "):";
}

void appendKey(std::string& out, const Key& key, const std::string& path, bool always)
{
    if (always || !key.values().empty() || !key.keptText().empty() || !key.keptBlocks().empty())
    {
        out += "[" + path + "]" + kEol;
        auto kept = key.keptText().begin();
        for (std::size_t i = 0; i < key.values().size(); ++i)
        {
            for (; kept != key.keptText().end() && kept->beforeValue <= i; ++kept)
                out += kept->text;
            out += FormatValue(key.values()[i]) + kEol;
        }
        for (; kept != key.keptText().end(); ++kept)
            out += kept->text;
        out += kEol;
        for (const auto& block : key.keptBlocks())
            out += block + kEol;
    }
    for (const auto& sub : key.subkeys())
        appendKey(out, sub, path + "\\" + sub.name(), true);
}

// --- reading ---------------------------------------------------------------------------

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && EqualNoCase(s.substr(0, prefix.size()), prefix);
}

// Parses 1 to maxDigits hex digits making up all of `s`.
bool parseHexNumber(std::string_view s, std::size_t maxDigits, std::uint32_t& out)
{
    if (s.empty() || s.size() > maxDigits)
        return false;
    std::uint32_t value = 0;
    for (char c : s)
    {
        int d = HexDigit(c);
        if (d < 0)
            return false;
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    out = value;
    return true;
}

// Reads a quoted string at the start of `s` (s[0] is the opening quote). On success returns
// the text and leaves `s` holding what follows the closing quote.
bool readQuoted(std::string_view& s, std::string& out)
{
    out.clear();
    std::size_t i = 1;
    while (i < s.size())
    {
        char c = s[i];
        if (c == '"')
        {
            s.remove_prefix(i + 1);
            return true;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"'))
        {
            out += s[i + 1];
            i += 2;
            continue;
        }
        out += c;
        ++i;
    }
    return false;
}

bool parseHexBytes(std::string_view list, std::string& out)
{
    out.clear();
    list = trim(list);
    if (list.empty())
        return true;
    std::size_t start = 0;
    for (;;)
    {
        std::size_t comma = list.find(',', start);
        std::string_view token =
            trim(list.substr(start, comma == std::string_view::npos ? list.npos : comma - start));
        bool last = comma == std::string_view::npos;
        if (token.empty())
            return last && !out.empty(); // a trailing comma, nothing else may be empty
        std::uint32_t b;
        if (!parseHexNumber(token, 2, b))
            return false;
        out += static_cast<char>(b);
        if (last)
            return true;
        start = comma + 1;
    }
}

class Reader
{
public:
    // `keepTo` is the hive that keeps the unreadable lines, null to skip them.
    Reader(std::string_view text, HiveEdit& edit, Hive* keepTo, ParseReport& report,
           std::size_t firstLine)
        : m_edit(edit), m_keepTo(keepTo), m_report(report), m_keep(keepTo != nullptr),
          m_lineBase(firstLine - 1)
    {
        std::size_t start = 0;
        while (start < text.size())
        {
            std::size_t end = text.find('\n', start);
            std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
            if (end == std::string_view::npos)
                end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            m_lines.push_back(Line{line, text.substr(start, next - start)});
            start = next;
        }
    }

    bool checkSignature()
    {
        for (; m_next < m_lines.size(); ++m_next)
        {
            std::string_view line = trim(m_lines[m_next].text);
            if (line.empty())
                continue;
            ++m_next;
            return line == kHiveSignature || line == "REGEDIT4";
        }
        return false;
    }

    void run()
    {
        while (m_next < m_lines.size())
        {
            const std::size_t first = m_next;
            std::string_view line = trim(m_lines[m_next++].text);
            if (line.empty())
                continue;
            bool read = false;
            const bool isHeader = line.front() == '[';
            if (line.front() == ';')
                ; // a comment: nothing to read and nothing to report
            else if (isHeader)
                read = header(first + 1, line);
            else if (line.front() == '"' || line.front() == '@')
                read = value(first + 1, line);
            else
                warn(first + 1, "neither a key, a value nor a comment");
            if (!read && m_keep)
                keep(first, isHeader);
        }
        endBlock();
    }

private:
    struct Line
    {
        std::string_view text; // without its line end
        std::string_view raw;  // as it stands in the file
    };

    void warn(std::size_t line, const std::string& what)
    {
        m_report.warnings.push_back("line " + std::to_string(m_lineBase + line) + ": " + what);
    }

    // Keeps the lines from `first` to the last one read, as they stand. A blank line that a hex
    // value took as its end is layout, not content; a cut-off last line gets its line end, so
    // that what is written after it stays a line of its own.
    void keep(std::size_t first, bool isHeader)
    {
        std::size_t last = m_next;
        while (last > first + 1 && trim(m_lines[last - 1].text).empty())
            --last;
        std::string text;
        for (std::size_t i = first; i < last; ++i)
            text += m_lines[i].raw;
        if (text.back() != '\n')
            text += kEol;

        if (isHeader)
        {
            m_block = std::move(text);
            m_inBlock = true;
            m_blockOwner = m_lastKey;
        }
        else if (m_inBlock)
            m_block += text;
        else if (Key* key = m_key ? m_keepTo->find(*m_key) : nullptr)
            key->keepText(text);
        else
            m_keepTo->keepHead(text);
    }

    // Hands a block under an unreadable header to the key whose block it followed, or to the
    // nearest key above it that still exists.
    void endBlock()
    {
        if (!m_inBlock)
            return;
        m_inBlock = false;
        Key* owner = nullptr;
        if (m_blockOwner)
            for (KeyPath path = *m_blockOwner; owner == nullptr && !path.empty(); path.pop_back())
                owner = m_keepTo->find(path);
        if (owner != nullptr)
            owner->keepBlock(std::move(m_block));
        else
            m_keepTo->keepHead(m_block);
        m_block.clear();
    }

    bool header(std::size_t number, std::string_view line)
    {
        endBlock();
        m_key.reset();
        if (line.size() < 2 || line.back() != ']')
        {
            warn(number, "key name without its closing \"]\"");
            return false;
        }
        std::string_view name = line.substr(1, line.size() - 2);
        bool remove = !name.empty() && name.front() == '-';
        if (remove)
            name.remove_prefix(1);
        auto path = ParseKeyPath(name);
        if (!path)
        {
            warn(number, "not a key of this registry");
            return false;
        }
        if (remove)
        {
            if (path->size() < 2)
            {
                warn(number, "a root cannot be removed");
                return false;
            }
            m_edit.remove(*path);
            return true;
        }
        if (!m_edit.create(*path))
        {
            warn(number, "not a key of this registry");
            return false;
        }
        m_key = *path;
        m_lastKey = std::move(*path);
        return true;
    }

    // Joins the continuation lines of a hex value ("...,\" then an indented line).
    std::string hexText(std::string_view first)
    {
        std::string text(trim(first));
        while (!text.empty() && text.back() == '\\' && m_next < m_lines.size())
        {
            std::string_view more = trim(m_lines[m_next].text);
            if (!more.empty() &&
                (more.front() == '[' || more.front() == '"' || more.front() == '@'))
                break; // the value was cut off; do not swallow the next entry
            text.pop_back();
            text += more;
            ++m_next;
        }
        if (!text.empty() && text.back() == '\\')
            text.pop_back();
        return text;
    }

    bool value(std::size_t number, std::string_view line)
    {
        std::string name;
        std::string_view rest = line;
        if (rest.front() == '@')
            rest.remove_prefix(1);
        else if (!readQuoted(rest, name))
        {
            warn(number, "value name without its closing quote");
            return false;
        }
        rest = trim(rest);
        if (rest.empty() || rest.front() != '=')
        {
            warn(number, "value without \"=\"");
            skipContinuation(rest);
            return false;
        }
        rest = trim(rest.substr(1));

        std::uint32_t type = kTypeString;
        std::string data;
        bool remove = false;
        if (rest == "-")
            remove = true;
        else if (!rest.empty() && rest.front() == '"')
        {
            std::string text;
            if (!readQuoted(rest, text) || !trim(rest).empty())
            {
                warn(number, "string value not closed by a quote at the end of the line");
                return false;
            }
            data = std::move(text);
            data += '\0';
        }
        else if (startsWithNoCase(rest, "dword:"))
        {
            std::uint32_t number32;
            if (!parseHexNumber(trim(rest.substr(6)), 8, number32))
            {
                warn(number, "dword: needs 1 to 8 hex digits");
                return false;
            }
            type = kTypeDword;
            for (int i = 0; i < 4; ++i)
                data += static_cast<char>((number32 >> (8 * i)) & 0xFF);
        }
        else if (startsWithNoCase(rest, "hex"))
        {
            std::string_view form = rest.substr(3);
            if (!form.empty() && form.front() == '(')
            {
                std::size_t close = form.find(')');
                if (close == std::string_view::npos ||
                    !parseHexNumber(form.substr(1, close - 1), 8, type))
                {
                    warn(number, "hex(N): needs a hex type number");
                    skipContinuation(rest);
                    return false;
                }
                form.remove_prefix(close + 1);
            }
            else
                type = kTypeBinary;
            if (form.empty() || form.front() != ':')
            {
                warn(number, "hex data without \":\"");
                skipContinuation(rest);
                return false;
            }
            if (!parseHexBytes(hexText(form.substr(1)), data))
            {
                warn(number, "hex data must be two-digit bytes separated by commas");
                return false;
            }
        }
        else
        {
            warn(number, "unknown kind of value data");
            return false;
        }

        if (!m_key)
        {
            warn(number, "value outside of a key");
            return false;
        }
        if (!IsValidValueName(name))
        {
            warn(number, "value name too long");
            return false;
        }
        if (!remove)
            return m_edit.setValue(*m_key, name, type, std::move(data));
        if (m_edit.find(*m_key) == nullptr)
            return false;
        m_edit.removeValue(*m_key, name);
        return true;
    }

    // A skipped hex value must not leave its continuation lines to be read as entries.
    void skipContinuation(std::string_view rest) { hexText(rest); }

    HiveEdit& m_edit; // every change of keys and values goes through it
    Hive* m_keepTo;   // the kept text goes here directly: it is none of the hive's changes
    ParseReport& m_report;
    const bool m_keep;
    const std::size_t m_lineBase;
    std::vector<Line> m_lines;
    std::size_t m_next = 0;
    std::optional<KeyPath> m_key;     // the key the values read now go to
    std::optional<KeyPath> m_lastKey; // the last key a header opened, for the blocks after it
    bool m_inBlock = false;           // reading the block under an unreadable header
    std::string m_block;
    std::optional<KeyPath> m_blockOwner;
};

} // namespace

std::string FormatValueName(std::string_view name)
{
    return name.empty() ? "@" : quoted(name);
}

std::string FormatValue(const Value& value)
{
    std::string out = FormatValueName(value.name);
    out += '=';
    if (writableAsString(value))
        out += quoted(std::string_view(value.data.data(), value.data.size() - 1));
    else if (value.type == kTypeDword && value.data.size() == 4)
    {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i)
            n = (n << 8) | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
        static constexpr char digits[] = "0123456789abcdef";
        out += "dword:";
        for (int shift = 28; shift >= 0; shift -= 4)
            out += digits[(n >> shift) & 0xF];
    }
    else
    {
        out += hexPrefix(value.type);
        appendHexData(out, value.data, out.size());
    }
    return out;
}

std::string FormatHive(const Hive& hive)
{
    std::string out = kHiveSignature;
    out += kEol;
    out += kEol;
    if (!hive.keptHead().empty())
        out += hive.keptHead() + kEol;
    for (const auto& root : hive.roots())
        appendKey(out, root, root.name(), false);
    return out;
}

std::string FormatKeyTree(const Hive& hive, const KeyPath& path)
{
    std::string out;
    if (const Key* key = hive.find(path))
    {
        KeyPath spelled; // the path as the keys spell themselves
        const Key* at = nullptr;
        for (const auto& part : path)
        {
            at = at == nullptr ? hive.find(KeyPath{part}) : at->findSubkey(part);
            spelled.push_back(at->name());
        }
        appendKey(out, *key, FormatKeyPath(spelled), true);
    }
    return out;
}

namespace
{

ParseReport apply(std::string_view text, HiveEdit& edit, Hive* keepTo)
{
    ParseReport report;
    if (text.size() >= 2 && ((static_cast<unsigned char>(text[0]) == 0xFF &&
                              static_cast<unsigned char>(text[1]) == 0xFE) ||
                             (static_cast<unsigned char>(text[0]) == 0xFE &&
                              static_cast<unsigned char>(text[1]) == 0xFF)))
    {
        report.error = "the text is UTF-16; save it as UTF-8";
        return report;
    }
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    Reader reader(text, edit, keepTo, report, 1);
    if (!reader.checkSignature())
    {
        report.error = std::string("the first line is not \"") + kHiveSignature + "\"";
        return report;
    }
    reader.run();
    report.ok = true;
    return report;
}

} // namespace

ParseReport ApplyHiveText(std::string_view text, Hive& hive, UnreadableLines unreadable)
{
    HiveEdit edit(hive, nullptr);
    return apply(text, edit, unreadable == UnreadableLines::Keep ? &hive : nullptr);
}

ParseReport ApplyHiveText(std::string_view text, HiveEdit& edit)
{
    return apply(text, edit, nullptr);
}

ParseReport ApplyHiveLines(std::string_view lines, HiveEdit& edit, std::size_t firstLine)
{
    ParseReport report;
    Reader reader(lines, edit, nullptr, report, firstLine);
    reader.run();
    report.ok = true;
    return report;
}

} // namespace machine::registry
