// Progress arithmetic: byte counts to bar positions of 0 to 100.
#pragma once

#include <cstdint>

namespace Zenlo {

constexpr int progressRange = 100;

// Percent per byte for a run or file of the given size: 100 / size, or 0 for a size of 0
// (nothing to show, and no division by zero).
double progressFactor(std::uint64_t size);

// The bar position of a byte count: count * factor + 0.5, cut to an integer, and held inside
// 0..100 so that a count beyond the announced size shows a full bar.
int progressPosition(std::uint64_t count, double factor);

} // namespace Zenlo
