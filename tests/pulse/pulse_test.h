#pragma once

#include "tests/support/temp_dir.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

// Tests that need the private PulseAudio of scripts/test.sh (QUAVREL_PULSE_TESTS=1); skipped
// elsewhere.
class PulseTest : public testing::Test {
protected:
    void SetUp() override;
    TempDir dir;
};

// Records the default input (the null sink's monitor) while `play` plays a song file of a
// quarter second of silence and then noise to its end, and checks that the noise comes back
// bit for bit.
void ExpectPlayedNoiseComesBack(const TempDir& dir,
                                const std::function<void(const std::string& song)>& play);
