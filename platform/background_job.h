#pragma once

#include "platform/exception.h"
#include "platform/progress_callback.h"

#include <exception>
#include <functional>
#include <memory>
#include <thread>

// Raised inside the work of a cancelled job at its next progress report or cancel check, so
// that the work unwinds, removing what it half made, instead of going on.
class EJobCancelled : public Exception {
public:
    EJobCancelled() : Exception("The work was cancelled.") {}
};

// How a job ended: done (neither of the two), failed with Error, or cancelled.
struct JobOutcome {
    std::exception_ptr Error;
    bool Cancelled = false;

    bool Done() const { return !Error && !Cancelled; }
};

// Runs one piece of long work (a speed change, a wave file expansion) on a thread of its own.
// Its progress reports and its outcome arrive as queued calls on the GUI thread; nothing there
// waits for the work. Created, cancelled and destroyed on the GUI thread.
class BackgroundJob {
public:
    // Raises EJobCancelled once the job has been cancelled.
    using CancelCheck = std::function<void()>;
    // The work reports through progress, which raises EJobCancelled as the check does, and may
    // check for cancellation between reports. What it raises ends it as failed.
    using Work = std::function<void(const ProgressCallback& progress, const CancelCheck& check)>;
    using Completion = std::function<void(const JobOutcome& outcome)>;

    // Starts work at once. progress (may be empty) gets the latest report whenever the GUI
    // thread comes to it, so a quick succession of reports costs one call; completion is called
    // once, last, and may destroy the job. Once Cancel has been called the outcome is
    // Cancelled even if the work got to its end: what it made is then the caller's to remove.
    BackgroundJob(Work work, ProgressCallback progress, Completion completion);
    // Cancels work still running and lets it end on its own thread, which is joined when it
    // has ended or at the latest when the program ends; neither progress nor completion is
    // called any more.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    void Cancel();
    // Until completion has been called.
    bool Running() const { return running; }

private:
    struct Shared;

    void DeliverProgress();
    void Complete(JobOutcome outcome);

    std::shared_ptr<Shared> shared;
    ProgressCallback progress;
    Completion completion;
    bool running = true;
    std::thread thread;
};
