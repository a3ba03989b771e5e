#pragma once
// A text in double quotes with a quote or backslash before it escaped: how the hive's export
// text writes a name or string, and how the logs show a text a reader must find whole.

#include <string>
#include <string_view>

namespace machine::text
{

std::string Quoted(std::string_view text);

} // namespace machine::text
