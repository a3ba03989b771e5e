#pragma once
// The desktop's input. At a terminal: line editing, history and completion of the command names
// and window titles (libedit). From a pipe or file: plain lines, each echoed after the prompt, so
// that a transcript shows what was asked beside what came back.

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

class LineReader
{
public:
    // `words` gives what the first word (commands) and later words (window titles) complete to.
    LineReader(std::istream& in, std::ostream& out,
               std::function<std::vector<std::string>(bool firstWord)> words);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line after `prompt`; nullopt at the end of the input.
    std::optional<std::string> read(const std::string& prompt);
    bool interactive() const { return m_interactive; }

private:
    std::istream& m_in;
    std::ostream& m_out;
    bool m_interactive;
};
