#include "app/wave_expansion.h"

#include "actions/line_break_tags.h"
#include "actions/messages.h"
#include "actions/program_caption.h"
#include "audio/expand_wave.h"
#include "audio/song_export.h"
#include "dialogs/disabled_while.h"
#include "dialogs/progress_frm.h"
#include "platform/background_job.h"
#include "platform/exclusive_file.h"
#include "platform/file_stream.h"
#include "storage/temp_file.h"

#include <QMessageBox>
#include <filesystem>

namespace {

QString ErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const EExpandSourceError&) {
        return SWaveExpansionError;
    } catch (const std::exception& failure) {
        return QString::fromUtf8(failure.what());
    }
}

} // namespace

// A conversion on its way: the main window disabled and the progress window shown until it
// ends; the files it reserved are removed when it goes without having been taken on.
struct TWaveExpansion::TRun {
    TRun(QWidget& mainWindow, bool stayOnTop, TExpandOrder order)
        : disabled(&mainWindow), progress(stayOnTop, [this] { job->Cancel(); }),
          order(std::move(order)) {}
    ~TRun() {
        job.reset();
        if (!partial.empty()) {
            FileStream::DeleteQuietly(partial);
        }
        if (!decoded.empty()) {
            FileStream::DeleteQuietly(decoded);
        }
    }
    TRun(const TRun&) = delete;
    TRun& operator=(const TRun&) = delete;

    const DisabledWhile disabled;
    TProgressFrm progress;
    const TExpandOrder order;
    std::string decoded;
    std::string partial;
    std::unique_ptr<BackgroundJob> job;
};

TWaveExpansion::TWaveExpansion(QWidget& mainWindow, std::string dataFolder)
    : mainWindow(mainWindow), dataFolder(std::move(dataFolder)) {
    ShowError = [this](const QString& text) {
        auto* box = new QMessageBox(QMessageBox::Critical, QString::fromUtf8(ProgramCaption),
                                    WithLineFeeds(text), QMessageBox::Ok, &this->mainWindow);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
}

TWaveExpansion::~TWaveExpansion() = default;

void TWaveExpansion::Start(const TExpandOrder& order, bool stayOnTop) {
    if (run) {
        return;
    }
    DecodeStageText() = SWaveExpansionDecoding.toStdString();
    auto started = std::make_unique<TRun>(mainWindow, stayOnTop, order);
    try {
        started->decoded = CreateTempFile(dataFolder, "tmp", "wav");
        const std::filesystem::path destination(order.Destination);
        const std::string folder =
            destination.has_parent_path() ? destination.parent_path().string() : ".";
        // Hidden beside the destination, in the same file system, so that it takes the
        // destination's name in one step.
        started->partial =
            CreateTempFile(folder, "." + destination.filename().string() + ".", "part");
    } catch (...) {
        started.reset();
        ShowError(ErrorText(std::current_exception()));
        if (Finished) {
            Finished(false);
        }
        return;
    }
    started->job = std::make_unique<BackgroundJob>(
        [order, decoded = started->decoded, partial = started->partial](
            const ProgressCallback& progress, const BackgroundJob::CancelCheck& check) {
            const std::unique_ptr<StretchEngine> engine =
                MakeStretchEngine(StretchEngineKind::Described);
            ExpandWaveFile(*engine, order.Source, partial, order.Request, decoded, progress);
            check();
        },
        started->progress.Callback(),
        [this](const JobOutcome& outcome) { Complete(outcome.Done(), outcome.Error); });
    started->progress.show();
    run = std::move(started);
}

void TWaveExpansion::Complete(bool done, std::exception_ptr error) {
    // The run enables the main window, closes the progress window and removes what is left
    // when it goes.
    std::unique_ptr<TRun> ended = std::move(run);
    bool made = false;
    if (done) {
        try {
            MoveReplacing(ended->partial, ended->order.Destination);
            ended->partial.clear();
            made = true;
        } catch (...) {
            error = std::current_exception();
        }
    }
    ended.reset();
    if (error) {
        ShowError(ErrorText(error));
    }
    if (Finished) {
        Finished(made);
    }
}
