#include "background_job.h"

#include "gui_mailbox.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// The threads of jobs destroyed while their work ran. Each is joined once its work has ended:
// looked at whenever another one comes, and all of them when the program ends.
class RetiredThreads {
public:
    RetiredThreads() = default;
    RetiredThreads(const RetiredThreads&) = delete;
    RetiredThreads& operator=(const RetiredThreads&) = delete;
    ~RetiredThreads() {
        for (Retired& old : threads) {
            old.thread.join();
        }
    }

    void Add(std::thread thread, std::shared_ptr<const std::atomic<bool>> ended) {
        std::vector<Retired> running;
        for (Retired& old : threads) {
            if (old.ended->load()) {
                old.thread.join();
            } else {
                running.push_back(std::move(old));
            }
        }
        running.push_back({std::move(thread), std::move(ended)});
        threads = std::move(running);
    }

private:
    struct Retired {
        std::thread thread;
        std::shared_ptr<const std::atomic<bool>> ended;
    };
    std::vector<Retired> threads;
};

RetiredThreads& Retirement() {
    static RetiredThreads threads;
    return threads;
}

} // namespace

// What the job and its thread share: the thread posts to the job's mailbox only under the lock
// and only while the job is there to own it.
struct BackgroundJob::Shared {
    explicit Shared(BackgroundJob* job) : job(job) {}

    void CheckCancelled() const {
        if (cancelled.load()) {
            throw EJobCancelled();
        }
    }

    // On the work's thread: keeps the latest report, and asks the GUI thread for one delivery
    // unless one is on its way.
    void Report(const std::string& newStage, double newFraction) {
        CheckCancelled();
        const std::lock_guard guard(lock);
        stage = newStage;
        fraction = newFraction;
        if (!reportPending && mailbox) {
            reportPending = true;
            mailbox->Post([owner = job] { owner->DeliverProgress(); });
        }
    }

    void Finish(const JobOutcome& outcome) {
        const std::lock_guard guard(lock);
        if (mailbox) {
            mailbox->Post([owner = job, outcome] { owner->Complete(outcome); });
        }
    }

    BackgroundJob* const job;
    std::atomic<bool> cancelled{false};
    // Set by the thread as the last thing it does.
    const std::shared_ptr<std::atomic<bool>> ended = std::make_shared<std::atomic<bool>>(false);
    std::mutex lock;
    std::unique_ptr<GuiMailbox> mailbox = std::make_unique<GuiMailbox>();
    std::string stage;
    double fraction = 0.0;
    bool reportPending = false;
};

BackgroundJob::BackgroundJob(Work work, ProgressCallback progress, Completion completion)
    : shared(std::make_shared<Shared>(this)), progress(std::move(progress)),
      completion(std::move(completion)) {
    thread = std::thread([shared = shared, work = std::move(work)]() mutable {
        JobOutcome outcome;
        try {
            shared->CheckCancelled();
            work([&shared](const std::string& stage,
                           double fraction) { shared->Report(stage, fraction); },
                 [&shared] { shared->CheckCancelled(); });
        } catch (const EJobCancelled&) {
            outcome.Cancelled = true;
        } catch (...) {
            outcome.Error = std::current_exception();
        }
        // What the work holds goes on this thread, before the job may join it.
        work = nullptr;
        shared->Finish(outcome);
        shared->ended->store(true);
    });
}

BackgroundJob::~BackgroundJob() {
    shared->cancelled.store(true);
    {
        const std::lock_guard guard(shared->lock);
        shared->mailbox.reset();
    }
    if (shared->ended->load()) {
        thread.join();
    } else {
        Retirement().Add(std::move(thread), shared->ended);
    }
}

void BackgroundJob::Cancel() {
    shared->cancelled.store(true);
}

void BackgroundJob::DeliverProgress() {
    std::string stage;
    double fraction = 0.0;
    {
        const std::lock_guard guard(shared->lock);
        stage = shared->stage;
        fraction = shared->fraction;
        shared->reportPending = false;
    }
    if (progress) {
        progress(stage, fraction);
    }
}

void BackgroundJob::Complete(JobOutcome outcome) {
    running = false;
    if (shared->cancelled.load()) {
        outcome = JobOutcome{nullptr, true};
    }
    // The completion may destroy the job, and with it the member.
    const Completion done = std::move(completion);
    done(outcome);
}
