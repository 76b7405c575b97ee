#pragma once
// The design's counters are 32-bit integers that wrap silently; compute wide and wrap.
#include <cstdint>

// The 32-bit two's-complement value of `wide` (wraps instead of overflowing).
constexpr std::int32_t Wrap32(std::int64_t wide) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}
