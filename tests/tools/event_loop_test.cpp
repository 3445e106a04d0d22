#include "platform/application_error.h"
#include "platform/exception.h"
#include "platform/execute_later.h"
#include "tools/tool_support.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Errors met inside the loop end it: the message alone on stderr, the result 1.
TEST(RunEventLoopTest, AnErrorEndsTheLoopWithItsMessage) {
    struct Case {
        const char* name;
        bool fromTick; // else from a deferred call
    };
    for (const Case c : {Case{"a tick", true}, Case{"a deferred call", false}}) {
        int ticks = 0;
        testing::internal::CaptureStderr();
        const int result = RunEventLoop(1, [&] {
            if (++ticks == 3) {
                if (c.fromTick) {
                    throw Exception("the tray was opened");
                }
                TExecuteLater::Schedule(
                    [](std::intptr_t) { throw Exception("the tray was opened"); }, 0);
            }
            return ticks < 1000;
        });
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "the tray was opened\n") << c.name;
        EXPECT_EQ(result, 1) << c.name;
        EXPECT_LT(ticks, 1000) << c.name;
    }
}

// The loop's handler lasts as long as the loop: an error after it goes where it went before.
TEST(RunEventLoopTest, ErrorsAfterTheLoopReachTheHandlerInstalledBefore) {
    std::vector<std::string> reported;
    const ScopedApplicationErrorHandler handler(
        [&](const std::exception& error) { reported.push_back(error.what()); });
    int ticks = 0;
    EXPECT_EQ(RunEventLoop(1, [&] { return ++ticks < 3; }), 0);
    HandleApplicationError(Exception("the disc is gone"));
    EXPECT_EQ(reported, std::vector<std::string>{"the disc is gone"});
}

// A tool fails when an error reaches the handler on the way, even if its body ends well.
TEST(RunToolTest, AnErrorReportedOnTheWayFailsTheTool) {
    testing::internal::CaptureStderr();
    const int result = RunTool([] {
        HandleApplicationError(Exception("the last buffer was not written"));
        return 0;
    });
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "the last buffer was not written\n");
    EXPECT_EQ(result, 1);
}

} // namespace
