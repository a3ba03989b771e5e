#include "tools/vnmachine/LineReader.h"

#include <editline/readline.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <utility>

namespace
{

// libedit calls back through plain functions: the words of the one reader that is interactive.
std::function<std::vector<std::string>(bool)> g_words;
std::vector<std::string> g_candidates;

char* nextCandidate(const char* text, int state)
{
    static std::size_t next = 0;
    if (state == 0)
        next = 0;
    const std::size_t length = std::strlen(text);
    while (next < g_candidates.size())
    {
        const std::string& word = g_candidates[next++];
        if (word.compare(0, length, text) == 0)
            return ::strdup(word.c_str());
    }
    return nullptr;
}

char** complete(const char* text, int start, int)
{
    // A title with blanks is completed inside its quotes.
    g_candidates = g_words(start == 0);
    return rl_completion_matches(text, nextCandidate);
}

} // namespace

LineReader::LineReader(std::istream& in, std::ostream& out,
                       std::function<std::vector<std::string>(bool)> words)
    : m_in(in), m_out(out),
      m_interactive(&in == &std::cin && ::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO))
{
    if (m_interactive)
    {
        g_words = std::move(words);
        rl_completer_quote_characters = "\"'";
        rl_attempted_completion_function = complete;
    }
}

LineReader::~LineReader()
{
    if (m_interactive)
    {
        rl_attempted_completion_function = nullptr;
        g_words = nullptr;
    }
}

std::optional<std::string> LineReader::read(const std::string& prompt)
{
    if (m_interactive)
    {
        std::unique_ptr<char, decltype(&std::free)> line(::readline(prompt.c_str()), &std::free);
        if (!line)
            return std::nullopt;
        if (*line != '\0')
            ::add_history(line.get());
        return std::string(line.get());
    }
    m_out << prompt << std::flush;
    std::string line;
    if (!std::getline(m_in, line))
        return std::nullopt;
    m_out << line << "\n";
    return line;
}
