#include "platform/profile/IniDocument.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace
{

using platform::ini::Document;
using platform::ini::LineEdit;

struct Change
{
    enum Kind
    {
        Value,
        RemoveKey,
        RemoveSection,
        SectionLines
    } kind;
    const char* section;
    const char* key = nullptr;
    const char* value = nullptr;
    std::vector<std::string> lines = {};
};

std::optional<LineEdit> editFor(const Document& doc, const Change& c)
{
    switch (c.kind)
    {
    case Change::Value:
        return doc.valueEdit(c.section, c.key, c.value);
    case Change::RemoveKey:
        return doc.keyRemoval(c.section, c.key);
    case Change::RemoveSection:
        return doc.sectionRemoval(c.section);
    case Change::SectionLines:
        return doc.sectionLinesEdit(c.section, c.lines);
    }
    return std::nullopt;
}

std::string describe(const std::string& text, const Change& c)
{
    return "\"" + text + "\" + " + std::to_string(c.kind) + " " + c.section + "/" +
           (c.key ? c.key : "-");
}

const Change kChanges[] = {
    {Change::Value, "B", "k", "a much longer value than before"}, // grows
    {Change::Value, "b", "K", ""},                                // shrinks
    {Change::Value, "A", "new", "v"},                             // new key, middle section
    {Change::Value, "C", "q", "4"},
    {Change::Value, "Z", "z", "1"}, // new section at the end
    {Change::RemoveKey, "A", "k"},
    {Change::RemoveKey, "B", "k"},
    {Change::RemoveKey, "C", "q"},
    {Change::RemoveSection, "A"},
    {Change::RemoveSection, "B"},
    {Change::RemoveSection, "c"},
    {Change::SectionLines, "B", nullptr, nullptr, {"x=1", "; note", "y = 2"}},
    {Change::SectionLines, "A", nullptr, nullptr, {}},
    {Change::SectionLines, "N", nullptr, nullptr, {"n=1"}},
};

const char* const kTexts[] = {
    "",
    "[A]\r\nk=1\r\n[B]\r\nk=2\r\n[C]\r\nq=3\r\n",
    "top=1\r\n; lead\r\n[A]\r\nk=1\r\n\r\n[B]\r\n  k = 2  \r\n;c\r\n[C]\r\nq=3", // no last end
    "[A]\nk=1\n\n; about B\n[B]\nk=2\n[C]\nq=3\n",                               // LF only
    "[A]\rk=1\r[B]\rk=2\r[C]\rq=3\r",                                            // lone CR
    "[a]\r\nx\r\n[A]\r\nk=2\r\n[B]\r\n[b]\r\nk=9\r\n[C]\r\nq=3",                 // duplicates
    "[A]\r\nk=1\r\n[B]\r\nj=0\rk\n\n[C]\r\nq=3\r\n", // removing k joins CR and LF
    "[B]\r\nk=2",                                    // header and key on the last lines
    "[C]",
};

// Each edit, made to the kept document, leaves it exactly the parse of the text it writes.
TEST(IniEdit, AnEditMadeToTheDocumentIsTheParseOfTheNewText)
{
    for (const char* text : kTexts)
        for (const auto& c : kChanges)
        {
            Document doc = Document::Parse(text);
            auto edit = editFor(doc, c);
            if (!edit)
                continue;
            const std::string written = doc.textWith(*edit);
            doc.apply(*edit);
            EXPECT_EQ(doc.text(), written) << describe(text, c);
            EXPECT_TRUE(doc == Document::Parse(written)) << describe(text, c);
        }
}

// Edits one after another keep the document in step with its text as lines and sections move.
TEST(IniEdit, EditsInSequenceStayInStep)
{
    for (const char* text : kTexts)
    {
        Document doc = Document::Parse(text);
        for (int round = 0; round < 3; ++round)
            for (const auto& c : kChanges)
            {
                auto edit = editFor(doc, c);
                if (!edit)
                    continue;
                const std::string written = doc.textWith(*edit);
                doc.apply(*edit);
                ASSERT_TRUE(doc == Document::Parse(written)) << describe(text, c);
            }
    }
}

} // namespace
