#include "tools/vnmachine/Command.h"

void NeedWords(const Words& args, std::size_t least, std::size_t most)
{
    if (args.size() < least || args.size() > most)
        throw UsageError{};
}
