#include "platform/application_error.h"
#include "platform/exception.h"
#include "platform/execute_later.h"
#include "tests/support/gui_events.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

void Procedure(std::intptr_t userValue) {
    calls.push_back("procedure " + std::to_string(userValue));
}

TEST(ExecuteLaterTest, RunsMethodThenProcedureOnlyOnceTheCurrentWorkIsDone) {
    calls.clear();
    TExecuteLater::Schedule(
        [](std::intptr_t userValue) { calls.push_back("method " + std::to_string(userValue)); },
        Procedure, 42);
    calls.push_back("caller");
    ProcessGuiEvents();
    EXPECT_EQ(calls, (std::vector<std::string>{"caller", "method 42", "procedure 42"}));
    ProcessGuiEvents();
    EXPECT_EQ(calls.size(), 3u);
}

TEST(ExecuteLaterTest, ErrorRaisedLaterReachesTheApplicationHandler) {
    std::vector<std::string> reported;
    {
        const ScopedApplicationErrorHandler handler(
            [&](const std::exception& error) { reported.push_back(error.what()); });
        TExecuteLater::Schedule([](std::intptr_t) { throw Exception("device gone"); }, 0);
        TExecuteLater::Schedule(nullptr, Procedure, 7);
        calls.clear();
        ProcessGuiEvents();
    }
    EXPECT_EQ(reported, std::vector<std::string>{"device gone"});
    EXPECT_EQ(calls, std::vector<std::string>{"procedure 7"});
}

} // namespace
