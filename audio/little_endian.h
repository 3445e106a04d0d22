#pragma once

#include <cstdint>

inline void PutU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PutU32(std::uint8_t* p, std::uint32_t v) {
    PutU16(p, static_cast<std::uint16_t>(v));
    PutU16(p + 2, static_cast<std::uint16_t>(v >> 16));
}

inline std::uint16_t GetU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t GetU32(const std::uint8_t* p) {
    return GetU16(p) | (std::uint32_t{GetU16(p + 2)} << 16);
}
