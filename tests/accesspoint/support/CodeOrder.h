#pragma once
// Whether the driver heard a set of requests in a given order among others.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace ap_test
{

// Each of `expected` is in `order`, the first time each one comes in that order.
inline void ExpectInOrder(const std::vector<std::uint32_t>& order,
                          const std::vector<std::uint32_t>& expected)
{
    auto at = [&](std::uint32_t code)
    {
        auto it = std::find(order.begin(), order.end(), code);
        return it == order.end() ? -1 : static_cast<int>(std::distance(order.begin(), it));
    };
    for (std::size_t i = 0; i < expected.size(); i++)
    {
        EXPECT_GE(at(expected[i]), 0) << std::hex << expected[i];
        if (i > 0)
        {
            EXPECT_LT(at(expected[i - 1]), at(expected[i])) << std::hex << expected[i];
        }
    }
}

} // namespace ap_test
