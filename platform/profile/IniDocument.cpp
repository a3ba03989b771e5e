#include "platform/profile/IniDocument.h"

namespace platform::ini
{
namespace
{

constexpr const char* kLineEnd = "\r\n";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

void classify(Line& line, bool inSection)
{
    std::string_view t = Trim(line.text);
    if (t.empty())
        return;
    if (t[0] == '[')
    {
        std::size_t close = t.find(']', 1);
        line.kind = LineKind::Header;
        line.name =
            std::string(Trim(t.substr(1, close == std::string_view::npos ? close : close - 1)));
        return;
    }
    if (t[0] == ';' || !inSection)
        return;
    line.kind = LineKind::Entry;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
    {
        line.name = std::string(t);
        return;
    }
    line.name = std::string(Trim(t.substr(0, eq)));
    line.value = std::string(Trim(t.substr(eq + 1)));
    line.hasValue = true;
}

// Collects the new text of the file line by line.
class Writer
{
public:
    explicit Writer(std::size_t reserve) { m_out.reserve(reserve + 64); }

    void keep(const Line& line)
    {
        m_out += line.text;
        m_out += line.end;
    }
    // Keeps a line that new lines will follow: it needs an end of its own.
    void keepEnded(const Line& line)
    {
        m_out += line.text;
        m_out += line.end.empty() ? std::string_view(kLineEnd) : std::string_view(line.end);
    }
    void add(std::string_view text)
    {
        m_out += text;
        m_out += kLineEnd;
    }
    void endLastLine()
    {
        if (!m_out.empty() && m_out.back() != '\n')
            m_out += kLineEnd;
    }
    std::string take() { return std::move(m_out); }

private:
    std::string m_out;
};

std::size_t lineIndex(const std::vector<Line>& lines, const Line* line)
{
    return static_cast<std::size_t>(line - lines.data());
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
    Document doc;
    std::size_t pos = 0;
    while (pos < text.size())
    {
        Line line;
        std::size_t eol = text.find_first_of("\r\n", pos);
        if (eol == std::string_view::npos)
        {
            line.text = std::string(text.substr(pos));
            pos = text.size();
        }
        else
        {
            line.text = std::string(text.substr(pos, eol - pos));
            if (text[eol] == '\r' && eol + 1 < text.size() && text[eol + 1] == '\n')
                line.end = "\r\n";
            else
                line.end = std::string(1, text[eol]);
            pos = eol + line.end.size();
        }
        classify(line, !doc.m_sections.empty());

        std::size_t index = doc.m_lines.size();
        if (line.kind == LineKind::Header)
        {
            if (!doc.m_sections.empty())
                doc.m_sections.back().end = index;
            Section section;
            section.name = line.name;
            section.header = index;
            doc.m_firstSection.emplace(Fold(line.name), doc.m_sections.size());
            doc.m_sections.push_back(std::move(section));
        }
        else if (line.kind == LineKind::Entry)
        {
            Section& section = doc.m_sections.back();
            section.entries.push_back(index);
            section.firstEntry.emplace(Fold(line.name), index);
        }
        doc.m_lines.push_back(std::move(line));
    }
    if (!doc.m_sections.empty())
        doc.m_sections.back().end = doc.m_lines.size();
    return doc;
}

const Section* Document::findSection(std::string_view name) const
{
    auto it = m_firstSection.find(Fold(Trim(name)));
    return it == m_firstSection.end() ? nullptr : &m_sections[it->second];
}

const Line* Document::findEntry(const Section& section, std::string_view key) const
{
    auto it = section.firstEntry.find(Fold(Trim(key)));
    return it == section.firstEntry.end() ? nullptr : &m_lines[it->second];
}

std::string Document::text() const
{
    Writer out(0);
    for (const auto& line : m_lines)
        out.keep(line);
    return out.take();
}

std::optional<std::string> Document::withValue(std::string_view section, std::string_view key,
                                               std::string_view value) const
{
    std::string_view sectionName = Trim(section);
    std::string_view keyName = Trim(key);
    const Section* found = findSection(sectionName);
    Writer out(m_lines.size() * 16);
    if (found == nullptr)
    {
        for (const auto& line : m_lines)
            out.keep(line);
        out.endLastLine();
        out.add("[" + std::string(sectionName) + "]");
        out.add(std::string(keyName) + "=" + std::string(value));
        return out.take();
    }

    if (const Line* entry = findEntry(*found, keyName))
    {
        std::string rewritten = entry->name + "=" + std::string(value);
        if (rewritten == entry->text)
            return std::nullopt;
        std::size_t at = lineIndex(m_lines, entry);
        for (std::size_t i = 0; i < m_lines.size(); ++i)
        {
            if (i == at)
                out.add(rewritten);
            else
                out.keep(m_lines[i]);
        }
        return out.take();
    }

    std::size_t after = found->entries.empty() ? found->header : found->entries.back();
    for (std::size_t i = 0; i < m_lines.size(); ++i)
    {
        if (i == after)
        {
            out.keepEnded(m_lines[i]);
            out.add(std::string(keyName) + "=" + std::string(value));
        }
        else
            out.keep(m_lines[i]);
    }
    return out.take();
}

bool Document::setExistingValue(std::string_view section, std::string_view key,
                                std::string_view value)
{
    const Section* found = findSection(Trim(section));
    const Line* entry = found == nullptr ? nullptr : findEntry(*found, Trim(key));
    if (entry == nullptr)
        return false;
    Line& line = m_lines[lineIndex(m_lines, entry)];
    // The line as parsing its new text gives it, so the document is the one the file holds.
    Document one = Parse("[s]\n" + line.name + "=" + std::string(value));
    if (one.m_lines.size() != 2 || one.m_lines[1].kind != LineKind::Entry)
        return false;
    Line rewritten = std::move(one.m_lines[1]);
    // withValue writes the line anew, with the end it gives every line it writes.
    rewritten.end = kLineEnd;
    line = std::move(rewritten);
    return true;
}

void Document::insertLines(std::size_t at, Document added)
{
    const std::size_t count = added.m_lines.size();
    for (Section& s : m_sections)
    {
        // The section the lines go into grows; those after it move down.
        if (s.end < at || (s.end == at && at == m_lines.size() && !added.m_sections.empty()))
            continue;
        if (s.header >= at)
            s.header += count;
        s.end += count;
        for (std::size_t& e : s.entries)
            if (e >= at)
                e += count;
        for (auto& [name, e] : s.firstEntry)
            if (e >= at)
                e += count;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at),
                   std::make_move_iterator(added.m_lines.begin()),
                   std::make_move_iterator(added.m_lines.end()));
    for (Section& s : added.m_sections)
    {
        s.header += at;
        s.end += at;
        for (std::size_t& e : s.entries)
            e += at;
        for (auto& [name, e] : s.firstEntry)
            e += at;
        m_firstSection.emplace(Fold(s.name), m_sections.size());
        m_sections.push_back(std::move(s));
    }
}

bool Document::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    std::string_view sectionName = Trim(section);
    std::string_view keyName = Trim(key);
    const std::string entryText = std::string(keyName) + "=" + std::string(value);
    const Section* found = findSection(sectionName);
    if (found != nullptr && findEntry(*found, keyName) != nullptr)
        return setExistingValue(section, key, value);

    if (found == nullptr)
    {
        // At the end of the file, as withValue writes it: a last line without an end gets one;
        // one ended by a lone CR is followed by CR LF, which reads as a blank line.
        Document added = Parse("[" + std::string(sectionName) + "]\r\n" + entryText + "\r\n");
        if (added.m_sections.size() != 1 || added.m_lines.size() != 2 ||
            added.m_lines[1].kind != LineKind::Entry)
            return false;
        if (!m_lines.empty() && m_lines.back().end.empty())
            m_lines.back().end = kLineEnd;
        else if (!m_lines.empty() && m_lines.back().end == "\r")
        {
            Line blank;
            blank.end = kLineEnd;
            m_lines.push_back(std::move(blank));
            if (!m_sections.empty())
                m_sections.back().end = m_lines.size();
        }
        insertLines(m_lines.size(), std::move(added));
        return true;
    }

    // After the section's last entry (or its header), that line given an end when it has none.
    Document added = Parse("[s]\r\n" + entryText + "\r\n");
    if (added.m_lines.size() != 2 || added.m_lines[1].kind != LineKind::Entry)
        return false;
    Line line = std::move(added.m_lines[1]);
    const std::size_t sectionIndex = static_cast<std::size_t>(found - m_sections.data());
    const std::size_t after = found->entries.empty() ? found->header : found->entries.back();
    if (m_lines[after].end.empty())
        m_lines[after].end = kLineEnd;
    Document piece;
    const std::string folded = Fold(line.name);
    piece.m_lines.push_back(std::move(line));
    insertLines(after + 1, std::move(piece));
    Section& target = m_sections[sectionIndex];
    target.entries.push_back(after + 1);
    target.firstEntry.emplace(folded, after + 1);
    return true;
}

std::optional<std::string> Document::withoutKey(std::string_view section,
                                                std::string_view key) const
{
    const Section* found = findSection(section);
    const Line* entry = found == nullptr ? nullptr : findEntry(*found, key);
    if (entry == nullptr)
        return std::nullopt;
    std::size_t at = lineIndex(m_lines, entry);
    Writer out(m_lines.size() * 16);
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (i != at)
            out.keep(m_lines[i]);
    return out.take();
}

std::optional<std::string> Document::withoutSection(std::string_view section) const
{
    const Section* found = findSection(section);
    if (found == nullptr)
        return std::nullopt;
    Writer out(m_lines.size() * 16);
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (i < found->header || i >= found->end)
            out.keep(m_lines[i]);
    return out.take();
}

std::optional<std::string> Document::withSectionLines(std::string_view section,
                                                      const std::vector<std::string>& lines) const
{
    std::string_view sectionName = Trim(section);
    const Section* found = findSection(sectionName);
    Writer out(m_lines.size() * 16);
    if (found == nullptr)
    {
        for (const auto& line : m_lines)
            out.keep(line);
        out.endLastLine();
        out.add("[" + std::string(sectionName) + "]");
        for (const auto& line : lines)
            out.add(line);
        return out.take();
    }

    // The section's content runs to its last non-blank line; blank lines after it stay.
    std::size_t contentEnd = found->header + 1;
    for (std::size_t i = found->header + 1; i < found->end; ++i)
        if (!Trim(m_lines[i].text).empty())
            contentEnd = i + 1;
    for (std::size_t i = 0; i < m_lines.size(); ++i)
    {
        if (i == found->header)
        {
            if (lines.empty())
                out.keep(m_lines[i]);
            else
                out.keepEnded(m_lines[i]);
            for (const auto& line : lines)
                out.add(line);
        }
        else if (i <= found->header || i >= contentEnd)
            out.keep(m_lines[i]);
    }
    std::string result = out.take();
    if (result == text())
        return std::nullopt;
    return result;
}

} // namespace platform::ini
