#include "platform/background_job.h"
#include "tests/support/gui_wait.h"

#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int Deadline = 60000;

// Work that reports until it is cancelled, and notes that it started and that it unwound.
struct EndlessWork {
    std::shared_ptr<std::atomic<bool>> started = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> unwound = std::make_shared<std::atomic<bool>>(false);

    BackgroundJob::Work operator()() const {
        return [started = started, unwound = unwound](const ProgressCallback& progress,
                                                      const BackgroundJob::CancelCheck&) {
            struct Unwind {
                std::atomic<bool>& flag;
                ~Unwind() { flag.store(true); }
            } unwind{*unwound};
            started->store(true);
            for (;;) {
                progress("Expanding", 0.5);
            }
        };
    }
};

TEST(BackgroundJobTest, ProgressAndTheOutcomeArriveOnTheGuiThread) {
    const auto guiThread = std::this_thread::get_id();
    std::atomic<bool> progressSeen{false};
    std::vector<std::string> stages;
    std::optional<JobOutcome> outcome;
    bool completedOnGuiThread = false;
    std::thread::id workThread;
    BackgroundJob job(
        [&](const ProgressCallback& progress, const BackgroundJob::CancelCheck& check) {
            workThread = std::this_thread::get_id();
            progress("Expanding", 0.25);
            // The report has to reach the GUI thread while the work still runs.
            while (!progressSeen.load()) {
                check();
                std::this_thread::yield();
            }
        },
        [&](const std::string& stage, double fraction) {
            EXPECT_EQ(std::this_thread::get_id(), guiThread);
            EXPECT_EQ(fraction, 0.25);
            stages.push_back(stage);
            progressSeen.store(true);
        },
        [&](const JobOutcome& result) {
            completedOnGuiThread = std::this_thread::get_id() == guiThread;
            outcome = result;
        });
    EXPECT_TRUE(job.Running());
    ASSERT_TRUE(WaitOnGuiThread([&] { return outcome.has_value(); }, Deadline));
    EXPECT_TRUE(outcome->Done());
    EXPECT_TRUE(completedOnGuiThread);
    EXPECT_NE(workThread, guiThread);
    EXPECT_EQ(stages, std::vector<std::string>{"Expanding"});
    EXPECT_FALSE(job.Running());
}

TEST(BackgroundJobTest, AFailureReachesTheCompletionWithItsMessage) {
    std::optional<JobOutcome> outcome;
    BackgroundJob job(
        [](const ProgressCallback&, const BackgroundJob::CancelCheck&) {
            throw Exception("The disk is full.");
        },
        nullptr, [&](const JobOutcome& result) { outcome = result; });
    ASSERT_TRUE(WaitOnGuiThread([&] { return outcome.has_value(); }, Deadline));
    EXPECT_FALSE(outcome->Cancelled);
    ASSERT_TRUE(outcome->Error);
    try {
        std::rethrow_exception(outcome->Error);
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "The disk is full.");
    }
}

TEST(BackgroundJobTest, CancelUnwindsTheWorkAndEndsAsCancelled) {
    const struct {
        const char* name;
        bool workEnds;
    } cases[] = {
        {"work that reports until it is stopped", false},
        // Once cancelled, the outcome is Cancelled even if the work got to its end.
        {"work that has ended", true},
    };
    for (const auto& c : cases) {
        EndlessWork endless;
        std::atomic<bool> ended{false};
        std::optional<JobOutcome> outcome;
        BackgroundJob job(c.workEnds ? BackgroundJob::Work([&](const ProgressCallback&,
                                                               const BackgroundJob::CancelCheck&) {
                              ended.store(true);
                          })
                                     : endless(),
                          nullptr, [&](const JobOutcome& result) { outcome = result; });
        // The outcome must not have been delivered before the cancel.
        while (!(c.workEnds ? ended.load() : endless.started->load())) {
            std::this_thread::yield();
        }
        job.Cancel();
        ASSERT_TRUE(WaitOnGuiThread([&] { return outcome.has_value(); }, Deadline)) << c.name;
        EXPECT_TRUE(outcome->Cancelled) << c.name;
        EXPECT_FALSE(outcome->Error) << c.name;
        EXPECT_EQ(endless.unwound->load(), !c.workEnds) << c.name;
    }
}

TEST(BackgroundJobTest, AJobDestroyedWhileItRunsStopsItsWorkAndCallsNothingMore) {
    EndlessWork endless;
    int calls = 0;
    auto job = std::make_unique<BackgroundJob>(
        endless(), [&](const std::string&, double) { ++calls; },
        [&](const JobOutcome&) { ++calls; });
    while (!endless.started->load()) {
        std::this_thread::yield();
    }
    job.reset();
    ASSERT_TRUE(WaitOnGuiThread([&] { return endless.unwound->load(); }, Deadline));
    // Whatever the thread posted on its way out is dropped.
    WaitOnGuiThread([] { return false; }, 50);
    EXPECT_EQ(calls, 0);
}

TEST(BackgroundJobTest, TheCompletionMayDestroyTheJob) {
    std::unique_ptr<BackgroundJob> job;
    bool completed = false;
    job = std::make_unique<BackgroundJob>(
        [](const ProgressCallback& progress, const BackgroundJob::CancelCheck&) {
            progress("End", 1.0);
        },
        nullptr,
        [&](const JobOutcome& outcome) {
            EXPECT_TRUE(outcome.Done());
            job.reset();
            completed = true;
        });
    ASSERT_TRUE(WaitOnGuiThread([&] { return completed; }, Deadline));
    EXPECT_EQ(job, nullptr);
}

} // namespace
