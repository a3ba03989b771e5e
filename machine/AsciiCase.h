#pragma once
// Names of the platform (keys, values, files, devices, classes) compare without regard to
// case in ASCII only; bytes of 0x80 and above compare as they are.

#include <string>
#include <string_view>

namespace machine
{

bool EqualNoCase(std::string_view a, std::string_view b);
// The name with ASCII letters in upper case: names that are EqualNoCase fold alike.
std::string FoldNoCase(std::string_view name);

} // namespace machine
