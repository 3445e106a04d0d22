#pragma once

#include <cstdint>

// Milliseconds on a steady clock, cut to 32 bits: differences of two readings are taken with
// unsigned wrap-around, so they stay right across the wrap every 49.7 days.
std::uint32_t TickCount();
