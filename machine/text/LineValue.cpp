#include "machine/text/LineValue.h"

namespace machine::text
{

std::string EscapeLineValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value)
    {
        if (c == '\r')
            out += "%0D";
        else if (c == '\n')
            out += "%0A";
        else if (c == '%')
            out += "%25";
        else
            out += c;
    }
    return out;
}

std::string UnescapeLineValue(std::string_view written)
{
    std::string out;
    out.reserve(written.size());
    for (std::size_t i = 0; i < written.size(); ++i)
    {
        if (written[i] == '%' && i + 2 < written.size())
        {
            std::string_view code = written.substr(i + 1, 2);
            char decoded = code == "0D" || code == "0d"   ? '\r'
                           : code == "0A" || code == "0a" ? '\n'
                           : code == "25"                 ? '%'
                                                          : '\0';
            if (decoded != '\0')
            {
                out += decoded;
                i += 2;
                continue;
            }
        }
        out += written[i];
    }
    return out;
}

} // namespace machine::text
