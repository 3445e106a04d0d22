#pragma once

#include <cstdint>

// A seekable stream of bytes: the in-memory and disk-file streams the WAVE streams sit on.
class ByteStream {
public:
    virtual ~ByteStream() = default;

    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Position() const = 0;
    virtual void SetPosition(std::int64_t position) = 0;
    virtual std::int64_t Size() const = 0;
    // Grows with zero bytes or truncates; the position is kept unless it lies past the new end.
    virtual void SetSize(std::int64_t size) = 0;
};
