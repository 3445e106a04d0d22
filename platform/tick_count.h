#pragma once

#include <cstdint>
#include <functional>

// Milliseconds on a steady clock, cut to 32 bits: differences of two readings are taken with
// unsigned wrap-around, so they stay right across the wrap every 49.7 days.
std::uint32_t TickCount();

// TickCount answers from source from now on (tests drive time by hand, across the wrap
// too); an empty source goes back to the steady clock.
void SetTickCountSource(std::function<std::uint32_t()> source);
