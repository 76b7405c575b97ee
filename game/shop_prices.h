#pragma once
// Prices of the four shop items; the shop panel's painted prices and the score use them too.
#include <array>
#include <cstdint>

constexpr std::array<std::int32_t, 5> ShopPrices{0, 13, 10, 5, 30};  // [1..4]: gem, rock, ground, anti-rock
