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
};

constexpr std::size_t kAnyMoreWords = std::numeric_limits<std::size_t>::max();

// Throws UsageError unless there are `least` to `most` words.
void NeedWords(const Words& args, std::size_t least, std::size_t most);
inline void NeedWords(const Words& args, std::size_t count)
{
    NeedWords(args, count, count);
}

// The value of an argument that had to parse; UsageError when it did not.
template <typename T> T Needed(const std::optional<T>& value)
{
    if (!value)
        throw UsageError{};
    return *value;
}

struct Command
{
    std::string name;
    std::vector<std::string> forms; // what may follow the name, a form a line; none: nothing
    std::string description;        // one line
    Handler run;
    std::string details = {}; // more about the arguments, lines ending in '\n'
    bool subcommands = false; // `run` dispatches a table of its own, which answers help
};
