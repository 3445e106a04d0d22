#pragma once

#include "platform/key_state.h"
#include "platform/tick_count.h"

#include <cstdint>
#include <vector>

// Keys held and the tick count, set by the test: installed while the object lives.
class FakeInput : public KeyStateSource {
public:
    FakeInput() {
        SetKeyStateSource(this);
        SetTickCountSource([this] { return tick; });
    }
    ~FakeInput() override {
        SetKeyStateSource(nullptr);
        SetTickCountSource(nullptr);
    }
    FakeInput(const FakeInput&) = delete;
    FakeInput& operator=(const FakeInput&) = delete;

    bool IsDown(std::uint16_t virtualKey) override {
        return virtualKey < held.size() && held.test(virtualKey);
    }

    void Hold(const std::vector<std::uint16_t>& keys) {
        held.reset();
        for (const std::uint16_t key : keys) {
            held.set(key);
        }
    }

    HeldKeys held;
    std::uint32_t tick = 0;
};
