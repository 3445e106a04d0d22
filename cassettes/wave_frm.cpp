#include "cassettes/wave_frm.h"

#include "actions/messages.h"
#include "audio/recording_formats.h"
#include "audio/stretch_engine.h"
#include "audio/wave_file_stream.h"
#include "audio/wave_player.h"
#include "audio/wave_processing.h"
#include "cassettes/qvr_window_list.h"
#include "dialogs/disabled_while.h"
#include "dialogs/progress_frm.h"
#include "platform/background_job.h"
#include "platform/exclusive_file.h"
#include "platform/file_stream.h"
#include "skins/round_half_even.h"
#include "storage/settings.h"
#include "storage/temp_file.h"

#include <QMenu>
#include <QPointer>
#include <cerrno>
#include <cstring>

namespace {

// The format at the settings' index into the supported formats; the last (best) one for -1 or
// an index the list does not have, the default one while the list is empty.
PcmWaveFormat RecordingFormatAt(int index) {
    const auto& formats = SupportedRecordingFormats();
    if (formats.empty()) {
        return DefaultRecordFormat;
    }
    if (index < 0 || index >= static_cast<int>(formats.size())) {
        return formats.back().Format;
    }
    return formats[static_cast<std::size_t>(index)].Format;
}

std::int32_t Scaled(std::int32_t time, double factor) {
    return RoundHalfEven(time * factor);
}

std::int32_t Unscaled(std::int32_t time, double factor) {
    return RoundHalfEven(time / factor);
}

// On the worker thread: writes the copy to target and returns the factor by which positions
// move. Cancelled or failed, it leaves no copy.
BackgroundJob::Work StretchWork(StretchEngineKind kind, const std::string& source,
                                const std::string& target, double factor,
                                const std::shared_ptr<double>& result) {
    return [=](const ProgressCallback& progress, const BackgroundJob::CancelCheck& check) {
        try {
            const std::unique_ptr<StretchEngine> engine = MakeStretchEngine(kind);
            // The resampler hands back the factor it could keep to.
            *result = StretchWaveFile(*engine, source, target, StretchRequest{factor}, progress);
            check();
        } catch (...) {
            FileStream::DeleteQuietly(target);
            throw;
        }
    };
}

} // namespace

// A speed change on its way: the main window disabled and the progress window shown until it
// ends. Gone before its copy was taken on, it removes the copy.
struct TWaveFrm::StretchRun {
    StretchRun(TCassetteHost& host, std::string target, int ratio, bool linear)
        : disabled(host.MainWindow()), progress(host.StayOnTop(), [this] { job->Cancel(); }),
          target(std::move(target)), ratio(ratio), linear(linear) {}
    ~StretchRun() {
        job.reset();
        if (!copyTaken) {
            FileStream::DeleteQuietly(target);
        }
    }
    StretchRun(const StretchRun&) = delete;
    StretchRun& operator=(const StretchRun&) = delete;

    const DisabledWhile disabled;
    TProgressFrm progress;
    const std::string target;
    const int ratio;
    const bool linear;
    const std::shared_ptr<double> factor = std::make_shared<double>(1.0);
    StretchDone done;
    bool copyTaken = false;
    std::unique_ptr<BackgroundJob> job;
};

double StretchFactor(int ratio, bool linear) {
    return linear ? SpeedToRatio(ratio) : ratio / 100.0;
}

TWaveFrm::TWaveFrm(TCassetteHost& host)
    : TQvrBaseFrm(host), RecordFormat(RecordingFormatAt(host.GetSettings().WaveFormatIdx)),
      mainPlayer(std::make_unique<TWavePlayer>()) {
    setObjectName(QStringLiteral("WaveFrm"));
    // The cassette's own item comes first, apart from the items every window has.
    QAction* first = PopupMenu->actions().value(0);
    QAction* save = new QAction(SMenuItemExport, PopupMenu);
    save->setData(TagSave);
    PopupMenu->insertAction(first, save);
    PopupMenu->insertSeparator(first);
    SetTitle(NextCassetteTitle());
    ApplySkin();
}

TWaveFrm::~TWaveFrm() {
    stretchRun.reset();
    try {
        DiscardStretch();
        mainPlayer->Close();
    } catch (const std::exception&) {
        // The file goes whatever the player reported.
    }
    if (!fileName.empty() && !keepFile) {
        FileStream::DeleteQuietly(fileName);
    }
}

void TWaveFrm::MenuItemClick(int tag) {
    if (tag == TagSave) {
        Save();
    } else {
        TQvrBaseFrm::MenuItemClick(tag);
    }
}

TWavePlayer& TWaveFrm::ActivePlayer() {
    return stretchedPlayer ? *stretchedPlayer : *mainPlayer;
}

void TWaveFrm::StartRecording() {
    const std::string name = CreateTempFile(Host.DataFolder(), "tmp", "wav");
    try {
        mainPlayer->SetFileName(name);
        mainPlayer->RecordFormat = RecordFormat;
        mainPlayer->OpenNew();
        mainPlayer->Record();
    } catch (...) {
        mainPlayer->Close();
        FileStream::DeleteQuietly(name);
        throw;
    }
    fileName = name;
}

void TWaveFrm::StopRecording() {
    mainPlayer->Stop();
    // Closing hands on what the device captured before it returns: the file holds all that came in.
    mainPlayer->Close();
    mainPlayer->Open();
}

void TWaveFrm::OpenFile(const std::string& name) {
    mainPlayer->SetFileName(name);
    mainPlayer->Open();
    fileName = name;
}

void TWaveFrm::ExecuteStretch(int ratio, StretchDone done) {
    if (stretchRun) {
        return;
    }
    const bool linearMode = Host.GetSettings().LinearStretch;
    auto run = std::make_unique<StretchRun>(Host, CreateTempFile(Host.DataFolder(), "tmp", "wav"),
                                            ratio, linearMode);
    run->done = std::move(done);
    run->job = std::make_unique<BackgroundJob>(
        StretchWork(ChooseStretchEngine(linearMode, Host.GetSettings().StretchEngine), fileName,
                    run->target, StretchFactor(ratio, linearMode), run->factor),
        run->progress.Callback(), [this](const JobOutcome& outcome) { FinishStretch(outcome); });
    run->progress.show();
    stretchRun = std::move(run);
}

void TWaveFrm::FinishStretch(const JobOutcome& outcome) {
    // The run enables the main window and closes the progress window when it goes.
    std::unique_ptr<StretchRun> run = std::move(stretchRun);
    std::exception_ptr error = outcome.Error;
    if (outcome.Done()) {
        try {
            SwitchToStretched(run->target, run->ratio, run->linear, *run->factor);
            run->copyTaken = true;
        } catch (...) {
            error = std::current_exception();
        }
    }
    const StretchDone done = std::move(run->done);
    run.reset();
    if (outcome.Done() && !error) {
        Host.BringMainToFront();
    }
    if (done) {
        done(*this, error);
    }
}

void TWaveFrm::SwitchToStretched(const std::string& copy, int ratio, bool linearMode,
                                 double factor) {
    auto player = std::make_unique<TWavePlayer>();
    player->SetFileName(copy);
    player->Open();
    RestoreStretch();
    player->SetRepeatEnd(Scaled(mainPlayer->GetRepeatEnd(), factor));
    player->SetRepeatStart(Scaled(mainPlayer->GetRepeatStart(), factor));
    player->SetPosition(Scaled(mainPlayer->GetPosition(), factor));
    HistoryPosition = Scaled(HistoryPosition, factor);
    stretchedPlayer = std::move(player);
    stretchRatio = ratio;
    linear = linearMode;
}

void TWaveFrm::RestoreStretch() {
    if (!stretchedPlayer) {
        return;
    }
    const double factor = StretchFactor(stretchRatio, linear);
    TWavePlayer& stretched = *stretchedPlayer;
    mainPlayer->SetRepeatEnd(Unscaled(stretched.GetRepeatEnd(), factor));
    mainPlayer->SetRepeatStart(Unscaled(stretched.GetRepeatStart(), factor));
    mainPlayer->SetPosition(Unscaled(stretched.GetPosition(), factor));
    HistoryPosition = Unscaled(HistoryPosition, factor);
    DiscardStretch();
}

void TWaveFrm::DiscardStretch() {
    if (!stretchedPlayer) {
        return;
    }
    const std::string copy = stretchedPlayer->GetFileName();
    stretchedPlayer.reset();
    stretchRatio = 1;
    FileStream::DeleteQuietly(copy);
}

double TWaveFrm::StepFactor() {
    const std::int32_t length = ActivePlayer().GetLength();
    return length < 1500 ? 0.1 : length < 3000 ? 0.25 : 1.0;
}

bool TWaveFrm::CopyFileTo(const std::string& name) const {
    return CopyToNewFile(fileName, name);
}

void TWaveFrm::Save() {
    // The dialog stays open while the program goes on: the cassette may be gone when it closes.
    Host.ChooseSaveWaveFile([self = QPointer<TWaveFrm>(this)](const std::string& name) {
        if (self) {
            self->SaveTo(name);
        }
    });
}

void TWaveFrm::SaveTo(const std::string& name) {
    const std::string& source = stretchedPlayer ? stretchedPlayer->GetFileName() : fileName;
    try {
        CopyReplacing(source, name);
    } catch (const std::exception& error) {
        Host.ShowProblem(QString::fromUtf8(error.what()));
    }
}
