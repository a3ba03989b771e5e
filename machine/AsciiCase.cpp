#include "machine/AsciiCase.h"

namespace machine
{

namespace
{
char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
} // namespace

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i]))
            return false;
    return true;
}

std::string FoldNoCase(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        c = upper(c);
    return folded;
}

} // namespace machine
