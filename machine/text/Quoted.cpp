#include "machine/text/Quoted.h"

namespace machine::text
{

std::string Quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text)
    {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

} // namespace machine::text
