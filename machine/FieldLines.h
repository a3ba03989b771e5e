#pragma once
// Machine files of a line a record, led by its key ("running 1", "station 02-11-22-33-44-55 0
// open 0 -"), read and written by one table of fields: each field names its key, writes its
// lines and reads one of them back with the same words in the same order, so what is read is
// what is written. A line that does not read is reported with its number and skipped. Texts
// that may hold anything are written in hex, "-" standing for an empty one.

#include "machine/radio/Network.h"

#include <charconv>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace machine
{

inline constexpr std::string_view kEmptyWord = "-"; // an empty text or name

bool IsBlank(char c);
// Upper-case hex of the text's bytes.
std::string HexText(const std::string& text);

struct LineProblem
{
    std::size_t line = 0; // 1 the first; 0 the file as a whole
    std::string what;
};

// "<kind> <path>, line 7: <what>" ("state file /m/wlan/state.txt, line 7: fault: ...").
std::string DescribeLineProblem(std::string_view kind, const std::filesystem::path& file,
                                const LineProblem& problem);

// Writes one line: its key, the word that places it (a lead such as a GUID), then each value.
class LineWriter
{
public:
    LineWriter(std::string& out, std::string_view key, std::string_view lead) : m_out(out)
    {
        m_out += key;
        if (!lead.empty())
            word(lead);
    }
    void end() { m_out += '\n'; }

    template <class T> void number(const char*, const T& value)
    {
        if constexpr (std::is_same_v<T, bool>)
            word(value ? "1" : "0");
        else
            word(std::to_string(value));
    }
    template <class T> void numbers(const char* what, const std::vector<T>& values)
    {
        for (const T& v : values)
            number(what, v);
    }
    void text(const char*, const std::string& value)
    {
        word(value.empty() ? kEmptyWord : HexText(value));
    }
    void bytes(const char*, const std::vector<std::uint8_t>& value)
    {
        word(value.empty() ? kEmptyWord : radio::ToHex(value));
    }
    void name(const char*, const std::string& value) { word(value.empty() ? kEmptyWord : value); }
    void names(const char* what, const std::vector<std::string>& values)
    {
        for (const auto& v : values)
            name(what, v);
    }
    void bssid(const char*, const radio::Bssid& value) { word(radio::FormatBssid(value)); }
    void literal(const char* expected) { word(expected); }
    void check(bool, const char*) {}

private:
    void word(std::string_view w)
    {
        m_out += ' ';
        m_out += w;
    }

    std::string& m_out;
};

// Reads one line's values in the order LineWriter writes them. The first value that does not
// read is the line's problem; the reads after it do nothing.
class LineReader
{
public:
    LineReader(std::string_view key, std::string_view rest) : m_key(key), m_rest(rest) {}

    template <class T> void number(const char* what, T& value)
    {
        auto w = next(what);
        if (!w)
            return;
        if constexpr (std::is_same_v<T, bool>)
        {
            if (*w == "0" || *w == "1")
                value = *w == "1";
            else
                fail(what, *w, "0 or 1");
        }
        else
        {
            T v{};
            auto [end, error] = std::from_chars(w->data(), w->data() + w->size(), v);
            if (error != std::errc() || end != w->data() + w->size())
                return fail(what, *w, "a number in range");
            value = v;
        }
    }
    template <class T> void numbers(const char* what, std::vector<T>& values)
    {
        while (ok() && more())
        {
            T v{};
            number(what, v);
            values.push_back(v);
        }
    }
    void text(const char* what, std::string& value)
    {
        auto w = next(what);
        if (!w || *w == kEmptyWord)
            return;
        auto bytes = radio::FromHex(std::string(*w));
        if (!bytes)
            return fail(what, *w, "hex");
        value.assign(bytes->begin(), bytes->end());
    }
    void bytes(const char* what, std::vector<std::uint8_t>& value)
    {
        std::string t;
        text(what, t);
        value.assign(t.begin(), t.end());
    }
    void name(const char* what, std::string& value)
    {
        if (auto w = next(what); w && *w != kEmptyWord)
            value = std::string(*w);
    }
    void names(const char* what, std::vector<std::string>& values)
    {
        while (ok() && more())
        {
            std::string v;
            name(what, v);
            values.push_back(v);
        }
    }
    void bssid(const char* what, radio::Bssid& value)
    {
        auto w = next(what);
        if (!w)
            return;
        auto b = radio::ParseBssid(std::string(*w));
        if (!b)
            return fail(what, *w, "a BSSID");
        value = *b;
    }
    void literal(const char* expected)
    {
        auto w = next(expected);
        if (w && *w != expected)
            fail("the word", *w, std::string("\"") + expected + "\"");
    }
    void check(bool holds, const char* problem)
    {
        if (ok() && !holds)
            m_problem = std::string(m_key) + ": " + problem;
    }

    bool ok() const { return m_problem.empty(); }
    // Whether every value was read and nothing is left over.
    bool finish()
    {
        if (ok() && more())
        {
            auto w = next("");
            m_problem = std::string(m_key) + ": \"" + std::string(*w) + "\" after the last value";
        }
        return ok();
    }
    const std::string& problem() const { return m_problem; }

private:
    bool more()
    {
        while (!m_rest.empty() && IsBlank(m_rest.front()))
            m_rest.remove_prefix(1);
        return !m_rest.empty();
    }
    std::optional<std::string_view> next(const char* what)
    {
        if (!ok())
            return std::nullopt;
        if (!more())
        {
            m_problem = std::string(m_key) + ": " + what + " is missing";
            return std::nullopt;
        }
        std::size_t n = 0;
        while (n < m_rest.size() && !IsBlank(m_rest[n]))
            ++n;
        std::string_view w = m_rest.substr(0, n);
        m_rest.remove_prefix(n);
        return w;
    }
    void fail(const char* what, std::string_view word, const std::string& expected)
    {
        m_problem =
            std::string(m_key) + ": " + what + " \"" + std::string(word) + "\" is not " + expected;
    }

    std::string_view m_key;
    std::string_view m_rest;
    std::string m_problem;
};

// A field of the file: its key, how its lines are written and how one of them is read. `Scope` is
// what its lines describe: the file's whole state, or the part of it a lead word names.
template <class Scope> struct Field
{
    std::string_view key;
    // Appends every line of the field; `lead` (a word naming the part) goes before the values.
    std::function<void(const Scope&, std::string_view lead, std::string& out)> write;
    // Reads one line's values into the scope, when they all read.
    std::function<void(LineReader&, Scope&)> read;
};

// A field whose lines each hold one entry made of Parts. `each(scope, emit)` calls emit(parts...)
// for every entry to write; `words(io, parts...)` reads or writes an entry's values in order, the
// same code for both; `store(scope, parts...)` keeps an entry that was read whole.
template <class Scope, class... Parts, class Each, class Words, class Store>
Field<Scope> MakeField(std::string_view key, Each each, Words words, Store store)
{
    auto write = [key, each, words](const Scope& scope, std::string_view lead, std::string& out)
    {
        each(scope,
             [&](const auto&... parts)
             {
                 LineWriter line(out, key, lead);
                 words(line, parts...);
                 line.end();
             });
    };
    auto read = [words, store](LineReader& in, Scope& scope)
    {
        std::tuple<Parts...> parts{};
        std::apply([&](auto&... p) { words(in, p...); }, parts);
        if (in.finish())
            std::apply([&](auto&... p) { store(scope, std::move(p)...); }, parts);
    };
    return {key, write, read};
}

template <class Scope>
const Field<Scope>* FindField(const std::vector<Field<Scope>>& fields, std::string_view key)
{
    for (const auto& field : fields)
        if (!field.key.empty() && field.key == key)
            return &field;
    return nullptr;
}

// A line cut into its key and the rest; nullopt for a blank line.
std::optional<std::pair<std::string_view, std::string_view>> SplitKey(std::string_view line);

// Calls `readLine(line)` for every line of the text; a line it returns a problem for (a
// non-empty text) is reported with its number.
template <class ReadLine>
std::vector<LineProblem> ReadEachLine(std::string_view text, ReadLine readLine)
{
    std::vector<LineProblem> problems;
    std::size_t number = 0;
    for (std::size_t start = 0; start < text.size();)
    {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++number;
        if (std::string problem = readLine(text.substr(start, end - start)); !problem.empty())
            problems.push_back({number, std::move(problem)});
        start = end + 1;
    }
    return problems;
}

// Reads one line of a file whose lines all belong to `fields`; its problem, or empty when it
// read (or was blank).
template <class Scope>
std::string ReadFieldLine(const std::vector<Field<Scope>>& fields, std::string_view line,
                          Scope& scope)
{
    auto split = SplitKey(line);
    if (!split)
        return {};
    const auto [key, rest] = *split;
    const Field<Scope>* field = FindField(fields, key);
    if (field == nullptr)
        return "unknown key \"" + std::string(key) + "\"";
    LineReader in(key, rest);
    field->read(in, scope);
    return in.problem();
}

// Every line of every field, in the order of the table.
template <class Scope>
std::string FormatFields(const std::vector<Field<Scope>>& fields, const Scope& scope)
{
    std::string out;
    for (const auto& field : fields)
        field.write(scope, {}, out);
    return out;
}

} // namespace machine
