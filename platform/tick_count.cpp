#include "tick_count.h"

#include <chrono>

namespace {

std::function<std::uint32_t()>& InstalledSource() {
    static std::function<std::uint32_t()> source;
    return source;
}

} // namespace

std::uint32_t TickCount() {
    if (const auto& source = InstalledSource()) {
        return source();
    }
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void SetTickCountSource(std::function<std::uint32_t()> source) {
    InstalledSource() = std::move(source);
}
