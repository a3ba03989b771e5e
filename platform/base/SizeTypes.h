#pragma once
// Pointer-sized integers, with the widths they have on 32-bit Windows.

#include <cstdint>

using INT_PTR = std::int32_t;
using SIZE_T = std::uint32_t;
using SSIZE_T = std::int32_t;
