#include "platform/termination_signals.h"
#include "tests/support/gui_wait.h"

#include <csignal>
#include <gtest/gtest.h>

namespace {

constexpr int DeadlineMs = 10000;

TEST(TerminationSignals, ASignalThatCameBeforeTheHandlerIsHandledOnceItExists) {
    CatchTerminationSignals();
    // Not caught, this would end the test program.
    ASSERT_EQ(std::raise(SIGTERM), 0);
    int handled = 0;
    const TerminationSignalHandler handler([&] { ++handled; });
    EXPECT_TRUE(WaitOnGuiThread([&] { return handled == 1; }, DeadlineMs));
    ASSERT_EQ(std::raise(SIGHUP), 0);
    EXPECT_TRUE(WaitOnGuiThread([&] { return handled == 2; }, DeadlineMs));
}

} // namespace
