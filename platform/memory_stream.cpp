#include "memory_stream.h"

#include <algorithm>
#include <cstring>

std::int64_t MemoryStream::Read(void* buffer, std::int64_t count) {
    const std::int64_t available = std::max<std::int64_t>(0, Size() - position);
    const std::int64_t n = std::clamp<std::int64_t>(count, 0, available);
    if (n > 0) {
        std::memcpy(buffer, bytes.data() + position, static_cast<std::size_t>(n));
        position += n;
    }
    return n;
}

std::int64_t MemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) {
        return 0;
    }
    if (position + count > Size()) {
        bytes.resize(static_cast<std::size_t>(position + count));
    }
    std::memcpy(bytes.data() + position, buffer, static_cast<std::size_t>(count));
    position += count;
    return count;
}

void MemoryStream::SetPosition(std::int64_t newPosition) {
    position = std::max<std::int64_t>(0, newPosition);
}

void MemoryStream::SetSize(std::int64_t size) {
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, size)));
    position = std::min(position, Size());
}
