#pragma once
// A settings (INI) file as its lines, with the sections and keys found in them. Pure text
// work, no I/O: the private-profile functions read and edit files through it.
//
// Reading rules: a line whose first non-blank character is "[" starts a section named by the
// text up to "]" (or to the end of the line); a line whose first non-blank character is ";"
// is a comment; any other non-blank line inside a section is an entry "key=value" (a line
// without "=" is a key without a value). Names and values are trimmed of blanks; names match
// without regard to (ASCII) case; with duplicates the first one counts. Lines before the
// first section belong to none. Lines end with CR LF, LF or CR alone; the last may have no end.
//
// Edits return the whole new text and keep every line they do not touch byte for byte.
// Lines they write end with CR LF.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform::ini
{

enum class LineKind
{
    Other, // blank, comment, or text before the first section
    Header,
    Entry
};

struct Line
{
    std::string text; // without its line end
    std::string end;  // "\r\n", "\n", "\r", or "" for a last line without one
    LineKind kind = LineKind::Other;
    std::string name;  // section name (Header) or key (Entry), trimmed
    std::string value; // Entry: the text after the first "=", trimmed, quotes kept
    bool hasValue = false;

    bool operator==(const Line&) const = default;
};

struct Section
{
    std::string name;
    std::size_t header = 0; // index of its header line
    std::size_t end = 0;    // one past its last line
    std::vector<std::size_t> entries;
    std::unordered_map<std::string, std::size_t> firstEntry; // folded key -> line index

    bool operator==(const Section&) const = default;
};

// Blanks around names and values: spaces and tabs (and a stray CR).
std::string_view Trim(std::string_view text);
// ASCII lower case, for matching names.
std::string Fold(std::string_view name);

class Document
{
public:
    static Document Parse(std::string_view text);

    const std::vector<Line>& lines() const { return m_lines; }
    const std::vector<Section>& sections() const { return m_sections; }

    // The first section of that name (trimmed, any case), or null.
    const Section* findSection(std::string_view name) const;
    // The first entry of that key in the section, or null.
    const Line* findEntry(const Section& section, std::string_view key) const;

    std::string text() const;

    // Sets key=value in the first section of that name: an existing entry is rewritten in
    // place (keeping the file's spelling of the key), a new key goes after the section's last
    // entry, a new section goes at the end of the file. nullopt when the text stays the same.
    std::optional<std::string> withValue(std::string_view section, std::string_view key,
                                         std::string_view value) const;
    // Without the first entry of the key in the first section of that name.
    std::optional<std::string> withoutKey(std::string_view section, std::string_view key) const;
    // Without the first section of that name: its header and every line up to the next one.
    std::optional<std::string> withoutSection(std::string_view section) const;
    // The first section of that name holding exactly these lines (blank lines that close the
    // section stay); created at the end of the file when missing.
    std::optional<std::string> withSectionLines(std::string_view section,
                                                const std::vector<std::string>& lines) const;

    // What withValue does to the text, done to this document, so that it is the parse of the
    // new text without parsing it: an entry rewritten in place, a new key, a new section. False,
    // and unchanged, when it cannot be: the new text is then parsed.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    bool operator==(const Document&) const = default;

private:
    bool setExistingValue(std::string_view section, std::string_view key, std::string_view value);
    // Puts the lines of `added` (a parsed piece of text) before line `at`, moving the later
    // sections' line numbers: into the section that holds the place, or, when `added` holds a
    // section and goes at the end, after the last one.
    void insertLines(std::size_t at, Document added);

    std::vector<Line> m_lines;
    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_firstSection; // folded name -> index
};

} // namespace platform::ini
