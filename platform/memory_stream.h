#pragma once

#include "byte_stream.h"

#include <vector>

class MemoryStream final : public ByteStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Position() const override { return position; }
    void SetPosition(std::int64_t newPosition) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes.size()); }
    void SetSize(std::int64_t size) override;

    const std::vector<std::uint8_t>& Bytes() const { return bytes; }

private:
    std::vector<std::uint8_t> bytes;
    std::int64_t position = 0;
};
