#pragma once
// A settings (INI) file as its text and lines, with the sections and keys found in them. Pure
// text work, no I/O: the private-profile functions read and edit files through it.
//
// Reading rules: a line whose first non-blank character is "[" starts a section named by the
// text up to "]" (or to the end of the line); a line whose first non-blank character is ";"
// is a comment; any other non-blank line inside a section is an entry "key=value" (a line
// without "=" is a key without a value). Names and values are trimmed of blanks; names match
// without regard to (ASCII) case; with duplicates the first one counts. Lines before the
// first section belong to none. Lines end with CR LF, LF or CR alone; the last may have no end.
//
// Edits are changes of whole lines: they keep every line they do not touch byte for byte, and
// lines they write end with CR LF. A document keeps its text, so an edit costs one copy of it
// and, once made, a parse of the sections it touched only.

#include <cstddef>
#include <cstdint>
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

// A line by its place in the document's text: a few numbers, so that lines added or removed in
// the middle of a large file move little. The parts are counted from the line's start, which
// the document keeps.
struct Line
{
    std::uint32_t length = 0;   // without its line end
    std::uint8_t endLength = 0; // 2 for "\r\n", 1 for "\n" or "\r", 0 for a last line without one
    LineKind kind = LineKind::Other;
    bool hasValue = false;
    std::uint32_t nameAt = 0; // section name (Header) or key (Entry), trimmed
    std::uint32_t nameLength = 0;
    std::uint32_t valueAt = 0; // Entry: the text after the first "=", trimmed, quotes kept
    std::uint32_t valueLength = 0;

    bool operator==(const Line&) const = default;
};

struct Section
{
    std::string name;
    std::size_t header = 0; // index of its header line
    std::size_t end = 0;    // one past its last line
    std::vector<std::size_t> entries;
    // Folded key -> its place in `entries`, which does not move when lines are added above.
    std::unordered_map<std::string, std::size_t> firstEntry;

    bool operator==(const Section&) const = default;
};

// Lines [first, last) of a document give way to `text`: whole lines, each with its end. When
// the last line of the file has no end, `text` added after it starts with one.
struct LineEdit
{
    std::size_t first = 0;
    std::size_t last = 0;
    std::string text;
};

// Blanks around names and values: spaces and tabs (and a stray CR).
std::string_view Trim(std::string_view text);
// ASCII lower case, for matching names.
std::string Fold(std::string_view name);

class Document
{
public:
    static Document Parse(std::string_view text);

    const std::string& text() const { return m_text; }
    const std::vector<Line>& lines() const { return m_lines; }
    const std::vector<Section>& sections() const { return m_sections; }
    // A line's text (without its end), name and value; `line` is one of lines().
    std::string_view textOf(const Line& line) const;
    std::string_view withEndOf(const Line& line) const; // its text and its line end
    std::string_view nameOf(const Line& line) const;
    std::string_view valueOf(const Line& line) const;

    // The first section of that name (trimmed, any case), or null.
    const Section* findSection(std::string_view name) const;
    // The first entry of that key in the section, or null.
    const Line* findEntry(const Section& section, std::string_view key) const;

    // The edits, nullopt when the text would stay the same.
    //
    // Sets key=value in the first section of that name: an existing entry is rewritten in
    // place (keeping the file's spelling of the key), a new key goes after the section's last
    // entry, a new section goes at the end of the file.
    std::optional<LineEdit> valueEdit(std::string_view section, std::string_view key,
                                      std::string_view value) const;
    // Removes the first entry of the key in the first section of that name.
    std::optional<LineEdit> keyRemoval(std::string_view section, std::string_view key) const;
    // Removes the first section of that name: its header and every line up to the next one.
    std::optional<LineEdit> sectionRemoval(std::string_view section) const;
    // The first section of that name holding exactly these lines (blank lines that close the
    // section stay); created at the end of the file when missing.
    std::optional<LineEdit> sectionLinesEdit(std::string_view section,
                                             const std::vector<std::string>& lines) const;

    // The whole text with the edit made.
    std::string textWith(const LineEdit& edit) const;
    // Makes the edit in the kept text, and this document the parse of that text, parsing again
    // only the sections around the edit.
    void apply(const LineEdit& edit);

    // The text valueEdit gives, or nullopt; and the same done to this document.
    std::optional<std::string> withValue(std::string_view section, std::string_view key,
                                         std::string_view value) const;
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    bool operator==(const Document&) const = default;

private:
    // Byte offset of line `index` in the text; lines().size() gives the text's size.
    std::size_t offset(std::size_t index) const { return m_offsets[index]; }
    // An edit that adds lines at the end of the file.
    LineEdit appended(std::string lines) const;
    void indexSections();

    std::string m_text;
    std::vector<Line> m_lines;
    std::vector<std::size_t> m_offsets{0}; // start of each line, then the text's size
    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_firstSection; // folded name -> index
};

} // namespace platform::ini
