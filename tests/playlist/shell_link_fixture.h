#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Writes a minimal Windows shortcut file naming target as its local path: the 76-byte header,
// a link information block with a volume and the local base path (in the ANSI code page), and
// the terminal block.
inline void WriteShellLink(const std::string& file, const std::string& target) {
    std::vector<std::uint8_t> bytes;
    const auto u32 = [&bytes](std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    };
    const auto zeros = [&bytes](std::size_t count) { bytes.insert(bytes.end(), count, 0); };
    u32(0x4C);
    for (const std::uint8_t b : {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00,
                                 0x00, 0x00, 0x00, 0x00, 0x46}) {
        bytes.push_back(b);
    }
    u32(0x02); // link flags: has link information
    u32(0x20); // file attributes: archive
    zeros(8 * 3 + 4 + 4);
    u32(1); // show normally
    zeros(2 + 2 + 4 + 4);

    constexpr std::uint32_t headerSize = 0x1C;
    constexpr std::uint32_t volumeSize = 0x11;
    const std::uint32_t pathOffset = headerSize + volumeSize;
    const std::uint32_t suffixOffset = pathOffset + static_cast<std::uint32_t>(target.size()) + 1;
    u32(suffixOffset + 1); // link information size
    u32(headerSize);
    u32(1); // volume and local base path
    u32(headerSize);
    u32(pathOffset);
    u32(0); // no network path
    u32(suffixOffset);
    u32(volumeSize);
    u32(3);          // fixed drive
    u32(0x12345678); // serial number
    u32(0x10);       // label offset
    zeros(1);        // empty label
    bytes.insert(bytes.end(), target.begin(), target.end());
    zeros(1);
    zeros(1); // empty common path suffix
    zeros(4); // terminal block
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}
