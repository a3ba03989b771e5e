#pragma once
// A command of the machine tool: its name, usage and description, and the handler that runs it.
// Handlers take the words after the command's name and return the exit status; words that do
// not fit the usage throw UsageError, which the command's table reports (exit status 2).

#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using Words = std::vector<std::string>;
using Handler = std::function<int(const Words&)>;

struct UsageError
{
    std::string problem = {}; // what did not fit ("'abc' is not a number"); empty: the words
};

constexpr std::size_t kAnyMoreWords = std::numeric_limits<std::size_t>::max();

// Throws UsageError unless there are `least` to `most` words.
void NeedWords(const Words& args, std::size_t least, std::size_t most);
inline void NeedWords(const Words& args, std::size_t count)
{
    NeedWords(args, count, count);
}

// The value of an argument that had to parse; UsageError naming `text` when it did not.
template <typename T> T Needed(const std::optional<T>& value, const std::string& text = {})
{
    if (!value)
        throw UsageError{text.empty() ? std::string() : "bad value '" + text + "'"};
    return *value;
}

// A whole number from `least` to `most`, all of `text`; UsageError naming `what` otherwise.
long NeedNumber(const std::string& text, long least, long most, const std::string& what);

struct Command
{
    std::string name;
    std::vector<std::string> forms; // what may follow the name, a form a line; none: nothing
    std::string description;        // one line
    Handler run;
    std::string details = {}; // more about the arguments, lines ending in '\n'
    bool subcommands = false; // `run` dispatches a table of its own, which answers help
};
