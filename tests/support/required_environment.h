#pragma once

#include <gtest/gtest.h>

// Under CI (CI=true) every tool, server and display the tests use is installed and started, so
// a test that finds one missing has found a broken set-up and must fail; on a developer's
// machine it skips, saying what it needs.
bool MissingEnvironmentFails();

// Skips, or fails under CI, the calling test (a function returning void) because `what` is
// missing.
#define QUAVREL_SKIP_UNLESS_PRESENT(present, what)                                                 \
    do {                                                                                           \
        if (!(present)) {                                                                          \
            if (MissingEnvironmentFails()) {                                                       \
                FAIL() << "needed under CI: " << what;                                             \
            }                                                                                      \
            GTEST_SKIP() << "needs " << what;                                                      \
        }                                                                                          \
    } while (false)
