#include "tools/vnmachine/Command.h"

#include "tools/vnmachine/Arguments.h"

void NeedWords(const Words& args, std::size_t least, std::size_t most)
{
    if (args.size() < least)
        throw UsageError{args.empty() ? "missing arguments"
                                      : "missing arguments after '" + args.back() + "'"};
    if (args.size() > most)
        throw UsageError{"unexpected argument '" + args[most] + "'"};
}

long NeedNumber(const std::string& text, long least, long most, const std::string& what)
{
    auto n = ParseNumber(text);
    if (!n || *n < least || *n > most)
        throw UsageError{what + ": '" + text + "' is not a number from " + std::to_string(least) +
                         " to " + std::to_string(most)};
    return *n;
}
