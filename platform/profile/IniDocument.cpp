#include "platform/profile/IniDocument.h"

#include <algorithm>
#include <iterator>

namespace platform::ini
{
namespace
{

constexpr std::string_view kLineEnd = "\r\n";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::uint32_t count(std::size_t n)
{
    return static_cast<std::uint32_t>(n);
}

// `text` is the line's own text; the parts are noted by their place in it.
void classify(Line& line, std::string_view text, bool inSection)
{
    const auto at = [&](std::string_view part) { return count(part.data() - text.data()); };
    std::string_view t = Trim(text);
    if (t.empty())
        return;
    if (t[0] == '[')
    {
        std::size_t close = t.find(']', 1);
        line.kind = LineKind::Header;
        const std::string_view name =
            Trim(t.substr(1, close == std::string_view::npos ? close : close - 1));
        line.nameAt = at(name);
        line.nameLength = count(name.size());
        return;
    }
    if (t[0] == ';' || !inSection)
        return;
    line.kind = LineKind::Entry;
    std::size_t eq = t.find('=');
    const std::string_view name = eq == std::string_view::npos ? t : Trim(t.substr(0, eq));
    line.nameAt = at(name);
    line.nameLength = count(name.size());
    if (eq == std::string_view::npos)
        return;
    const std::string_view value = Trim(t.substr(eq + 1));
    line.valueAt = at(value);
    line.valueLength = count(value.size());
    line.hasValue = true;
}

// The lines of a text and the sections they make, numbered from the text's start.
struct Parsed
{
    std::vector<Line> lines;
    std::vector<std::size_t> offsets; // start of each line (no final size)
    std::vector<Section> sections;
};

Parsed parseLines(std::string_view text)
{
    Parsed out;
    std::size_t pos = 0;
    while (pos < text.size())
    {
        Line line;
        const std::size_t start = pos;
        std::size_t eol = text.find_first_of("\r\n", pos);
        if (eol == std::string_view::npos)
        {
            line.length = count(text.size() - pos);
            pos = text.size();
        }
        else
        {
            line.length = count(eol - pos);
            line.endLength =
                text[eol] == '\r' && eol + 1 < text.size() && text[eol + 1] == '\n' ? 2 : 1;
            pos = eol + line.endLength;
        }
        const std::string_view own = text.substr(start, line.length);
        classify(line, own, !out.sections.empty());
        const std::string_view name = own.substr(line.nameAt, line.nameLength);

        std::size_t index = out.lines.size();
        if (line.kind == LineKind::Header)
        {
            if (!out.sections.empty())
                out.sections.back().end = index;
            Section section;
            section.name = std::string(name);
            section.header = index;
            out.sections.push_back(std::move(section));
        }
        else if (line.kind == LineKind::Entry)
        {
            Section& section = out.sections.back();
            section.firstEntry.emplace(Fold(name), section.entries.size());
            section.entries.push_back(index);
        }
        out.lines.push_back(line);
        out.offsets.push_back(start);
    }
    if (!out.sections.empty())
        out.sections.back().end = out.lines.size();
    return out;
}

// Makes [at, at + count) of `to` hold `from`, moving what follows as little as it can.
template <typename T>
void replaceRange(std::vector<T>& to, std::size_t at, std::size_t count, std::vector<T>&& from)
{
    const std::size_t common = std::min(count, from.size());
    auto target = to.begin() + static_cast<std::ptrdiff_t>(at);
    std::move(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(common), target);
    target += static_cast<std::ptrdiff_t>(common);
    if (from.size() > count)
        to.insert(target,
                  std::make_move_iterator(from.begin() + static_cast<std::ptrdiff_t>(common)),
                  std::make_move_iterator(from.end()));
    else
        to.erase(target, target + static_cast<std::ptrdiff_t>(count - common));
}

std::size_t shifted(std::size_t value, std::ptrdiff_t by)
{
    return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(value) + by);
}

} // namespace

std::string_view Trim(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string Fold(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

Document Document::Parse(std::string_view text)
{
    Parsed parsed = parseLines(text);
    Document doc;
    doc.m_text = std::string(text);
    doc.m_lines = std::move(parsed.lines);
    doc.m_offsets = std::move(parsed.offsets);
    doc.m_offsets.push_back(text.size());
    doc.m_sections = std::move(parsed.sections);
    doc.indexSections();
    return doc;
}

void Document::indexSections()
{
    m_firstSection.clear();
    for (std::size_t i = 0; i < m_sections.size(); ++i)
        m_firstSection.emplace(Fold(m_sections[i].name), i);
}

std::string_view Document::textOf(const Line& line) const
{
    return withEndOf(line).substr(0, line.length);
}

std::string_view Document::withEndOf(const Line& line) const
{
    const auto index = static_cast<std::size_t>(&line - m_lines.data());
    return std::string_view(m_text).substr(offset(index), line.length + line.endLength);
}

std::string_view Document::nameOf(const Line& line) const
{
    return textOf(line).substr(line.nameAt, line.nameLength);
}

std::string_view Document::valueOf(const Line& line) const
{
    return textOf(line).substr(line.valueAt, line.valueLength);
}

const Section* Document::findSection(std::string_view name) const
{
    auto it = m_firstSection.find(Fold(Trim(name)));
    return it == m_firstSection.end() ? nullptr : &m_sections[it->second];
}

const Line* Document::findEntry(const Section& section, std::string_view key) const
{
    auto it = section.firstEntry.find(Fold(Trim(key)));
    return it == section.firstEntry.end() ? nullptr : &m_lines[section.entries[it->second]];
}

LineEdit Document::appended(std::string lines) const
{
    // A last line without an end gets one first; so does one ended by a lone CR, which then
    // reads as a line and a blank line.
    if (!m_text.empty() && m_text.back() != '\n')
        lines.insert(0, kLineEnd);
    return LineEdit{m_lines.size(), m_lines.size(), std::move(lines)};
}

std::optional<LineEdit> Document::valueEdit(std::string_view section, std::string_view key,
                                            std::string_view value) const
{
    const std::string_view sectionName = Trim(section);
    const std::string_view keyName = Trim(key);
    std::string entry = std::string(keyName) + "=" + std::string(value);
    const Section* found = findSection(sectionName);
    if (found == nullptr)
        return appended("[" + std::string(sectionName) + "]\r\n" + entry + "\r\n");

    if (const Line* line = findEntry(*found, keyName))
    {
        std::string rewritten = std::string(nameOf(*line)) + "=" + std::string(value);
        if (rewritten == textOf(*line))
            return std::nullopt;
        const auto at = static_cast<std::size_t>(line - m_lines.data());
        return LineEdit{at, at + 1, rewritten + std::string(kLineEnd)};
    }

    const std::size_t after = found->entries.empty() ? found->header : found->entries.back();
    entry += kLineEnd;
    if (m_lines[after].endLength == 0)
        entry.insert(0, kLineEnd);
    return LineEdit{after + 1, after + 1, std::move(entry)};
}

std::optional<LineEdit> Document::keyRemoval(std::string_view section, std::string_view key) const
{
    const Section* found = findSection(section);
    const Line* line = found == nullptr ? nullptr : findEntry(*found, key);
    if (line == nullptr)
        return std::nullopt;
    const auto at = static_cast<std::size_t>(line - m_lines.data());
    return LineEdit{at, at + 1, {}};
}

std::optional<LineEdit> Document::sectionRemoval(std::string_view section) const
{
    const Section* found = findSection(section);
    if (found == nullptr)
        return std::nullopt;
    return LineEdit{found->header, found->end, {}};
}

std::optional<LineEdit> Document::sectionLinesEdit(std::string_view section,
                                                   const std::vector<std::string>& lines) const
{
    const std::string_view sectionName = Trim(section);
    std::string text;
    for (const auto& line : lines)
    {
        text += line;
        text += kLineEnd;
    }
    const Section* found = findSection(sectionName);
    if (found == nullptr)
        return appended("[" + std::string(sectionName) + "]\r\n" + text);

    // The section's content runs to its last non-blank line; blank lines after it stay.
    std::size_t contentEnd = found->header + 1;
    for (std::size_t i = found->header + 1; i < found->end; ++i)
        if (!Trim(textOf(m_lines[i])).empty())
            contentEnd = i + 1;
    if (!text.empty() && m_lines[found->header].endLength == 0)
        text.insert(0, kLineEnd);
    const std::size_t from = offset(found->header + 1);
    if (std::string_view(m_text).substr(from, offset(contentEnd) - from) == text)
        return std::nullopt;
    return LineEdit{found->header + 1, contentEnd, std::move(text)};
}

std::string Document::textWith(const LineEdit& edit) const
{
    const std::string_view kept = m_text;
    const std::size_t from = offset(edit.first);
    const std::size_t to = offset(edit.last);
    std::string out;
    out.reserve(kept.size() - (to - from) + edit.text.size());
    out.append(kept.substr(0, from));
    out.append(edit.text);
    out.append(kept.substr(to));
    return out;
}

void Document::apply(const LineEdit& edit)
{
    // The lines parsed again run from the header before the edit (or the file's start) to the
    // first header at or after its end (or the file's end). A header line starts with no line
    // end, so the text around them reads the same alone as in the whole file; a section whose
    // header the edit removes hands its lines to the one before, which is among them.
    auto before =
        std::lower_bound(m_sections.begin(), m_sections.end(), edit.first,
                         [](const Section& s, std::size_t line) { return s.header < line; });
    const auto firstSection = static_cast<std::size_t>(
        before == m_sections.begin() ? 0 : before - m_sections.begin() - 1);
    const std::size_t from = before == m_sections.begin() ? 0 : std::prev(before)->header;
    auto after =
        std::lower_bound(before, m_sections.end(), edit.last,
                         [](const Section& s, std::size_t line) { return s.header < line; });
    const auto lastSection = static_cast<std::size_t>(after - m_sections.begin());
    const std::size_t to = after == m_sections.end() ? m_lines.size() : after->header;

    const std::size_t removed = offset(edit.last) - offset(edit.first);
    const std::ptrdiff_t byteShift =
        static_cast<std::ptrdiff_t>(edit.text.size()) - static_cast<std::ptrdiff_t>(removed);
    m_text.replace(offset(edit.first), removed, edit.text);
    const std::size_t byteFrom = offset(from);
    const std::size_t byteTo = shifted(offset(to), byteShift);
    // Text that does not end its lines before the next header would join that header.
    if (to < m_lines.size() && byteTo > byteFrom && m_text[byteTo - 1] != '\n' &&
        m_text[byteTo - 1] != '\r')
    {
        *this = Parse(m_text);
        return;
    }
    Parsed piece = parseLines(std::string_view(m_text).substr(byteFrom, byteTo - byteFrom));
    const std::ptrdiff_t lineShift =
        static_cast<std::ptrdiff_t>(piece.lines.size()) - static_cast<std::ptrdiff_t>(to - from);

    for (std::size_t& o : piece.offsets)
        o += byteFrom;
    replaceRange(m_lines, from, to - from, std::move(piece.lines));
    replaceRange(m_offsets, from, to - from, std::move(piece.offsets));
    if (byteShift != 0)
        for (std::size_t i = shifted(to, lineShift); i < m_offsets.size(); ++i)
            m_offsets[i] = shifted(m_offsets[i], byteShift);

    // The sections that had their headers in the window give way to the window's sections;
    // the later ones move by the lines gained or lost.
    for (Section& s : piece.sections)
    {
        s.header += from;
        s.end += from;
        for (std::size_t& e : s.entries)
            e += from;
    }
    const std::size_t oldCount = lastSection - firstSection;
    const bool sameNames =
        piece.sections.size() == oldCount &&
        std::equal(piece.sections.begin(), piece.sections.end(),
                   m_sections.begin() + static_cast<std::ptrdiff_t>(firstSection),
                   [](const Section& a, const Section& b) { return Fold(a.name) == Fold(b.name); });
    const bool atTheEnd = lastSection == m_sections.size();
    if (!sameNames && atTheEnd)
        for (std::size_t i = firstSection; i < lastSection; ++i)
        {
            auto it = m_firstSection.find(Fold(m_sections[i].name));
            if (it != m_firstSection.end() && it->second == i)
                m_firstSection.erase(it);
        }
    const std::size_t newCount = piece.sections.size();
    replaceRange(m_sections, firstSection, oldCount, std::move(piece.sections));
    if (lineShift != 0)
        for (std::size_t i = firstSection + newCount; i < m_sections.size(); ++i)
        {
            Section& s = m_sections[i];
            s.header = shifted(s.header, lineShift);
            s.end = shifted(s.end, lineShift);
            for (std::size_t& e : s.entries)
                e = shifted(e, lineShift);
        }
    if (!sameNames && atTheEnd)
    {
        // Nothing follows, so no later section of the same name can become the first.
        for (std::size_t i = firstSection; i < m_sections.size(); ++i)
            m_firstSection.emplace(Fold(m_sections[i].name), i);
    }
    else if (!sameNames)
        indexSections();
}

std::optional<std::string> Document::withValue(std::string_view section, std::string_view key,
                                               std::string_view value) const
{
    auto edit = valueEdit(section, key, value);
    if (!edit)
        return std::nullopt;
    return textWith(*edit);
}

bool Document::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    if (auto edit = valueEdit(section, key, value))
        apply(*edit);
    return true;
}

} // namespace platform::ini
