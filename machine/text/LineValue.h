#pragma once
// Values of the machine's "key=value" files (devices.txt, system.conf). A line ends at LF and
// a CR before it is dropped, so a value holding CR or LF would not read back as written: those
// two, and "%" that introduces them, are written as %0D, %0A and %25. Any other "%" reads as
// itself, so a value a person typed with "%" in it stays as typed.

#include <string>
#include <string_view>

namespace machine::text
{

std::string EscapeLineValue(std::string_view value);
std::string UnescapeLineValue(std::string_view written);

} // namespace machine::text
