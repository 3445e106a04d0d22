#include "controller/main_controller.h"

#include "actions/event_module.h"
#include "actions/fatal_error.h"
#include "actions/messages.h"
#include "actions/program_caption.h"
#include "actions/real_time_action.h"
#include "actions/real_time_button.h"
#include "audio/record_source.h"
#include "audio/recording_formats.h"
#include "audio/wave_player.h"
#include "cassettes/default_skins.h"
#include "cassettes/qvr_window_list.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/wave_frm.h"
#include "storage/settings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

TMainController::TMainController(TMainFace& frm, TEventModule& events, Settings& settings,
                                 std::string dataFolder)
    : frm(frm), window(*frm.MainWindow()), events(events), settings(settings),
      dataFolder(std::move(dataFolder)) {
    ShowMessage = [this](const QString& text, QMessageBox::Icon icon) {
        // Nothing waits for the box: the program goes on, and the tick holds back what could
        // pull the ground away while it is open.
        auto* box = new QMessageBox(icon, QString::fromUtf8(ProgramCaption), text, QMessageBox::Ok,
                                    &this->window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    ApplyRecordSource();
    if (settings.PosChangeType >= 0 && settings.PosChangeType <= 2) {
        player.SetPositioningMethod(static_cast<std::uint8_t>(settings.PosChangeType));
    }
    ratio = DefaultRatio();
    practice = Bounded(settings.Practice);
    // The skin's bars call these as soon as a skin gives them: they are set before any skin.
    TSkinScrollHandlers& bars = frm.ScrollHandlers;
    bars.PlayingPositionScroll = [this](TCustomBitmapScrollBar*, TScrollCode code, int& position) {
        Guarded([&] { PlayingPositionScroll(code, position); });
    };
    bars.PlayingPositionDblClick = [this](TCustomBitmapScrollBar*) {
        Guarded([&] { PlayingPositionDblClick(); });
    };
    bars.RepeatStartScroll = [this](TCustomBitmapScrollBar*, TScrollCode code, int& position) {
        Guarded([&] { RepeatBarScroll(true, code, position); });
    };
    bars.RepeatEndScroll = [this](TCustomBitmapScrollBar*, TScrollCode code, int& position) {
        Guarded([&] { RepeatBarScroll(false, code, position); });
    };
    bars.RatioChange = [this](TCustomBitmapScrollBar* bar) {
        if (movingRatioBar) {
            return;
        }
        Guarded([&] {
            const int barRatio = RatioBarPosition(bar->Position());
            if (Mode() == ModeCassette) {
                SetRatio(barRatio, true);
            } else {
                // A bar past the song's speeds, or between two of them, goes to the speed's place.
                const int speed = SongSpeedOfRatio(barRatio);
                SetSongSpeed(speed, RatioOfSongSpeed(speed) == barRatio);
            }
        });
    };
    frm.OnSkinLoaded = [this] {
        Guarded([this] {
            PlaceWindowsForSkin();
            RefreshDisplay();
            ShowRepeatTimes(true);
            UpdateControlVisibility();
            SetRatio(ratio);
            ShowSpeed();
            const TWaveFrm* cassette = DockedCassette();
            executeEnabled = cassette != nullptr && !cassette->IsStretched();
            UpdateControlVisibility();
        });
    };
    QObject::connect(events.Timer1, &QTimer::timeout, &window, [this] { Tick(); });
}

TMainController::~TMainController() {
    events.Timer1->stop();
    // Recordings read from the song player's tap: they end before it goes, and no window
    // outlives the host it calls.
    ReleaseAllWindows();
    for (const QPointer<TQvrBaseFrm>& window : retired) {
        delete window.data();
    }
}

void TMainController::ApplyRecordSource() {
    if (recordingCassette != nullptr) {
        return;
    }
    recordSource.reset();
    if (settings.RecordSource == RecordSourceSong) {
        recordSource = std::make_unique<TSongRecordSource>(player);
    }
    ReadRecordingCapabilities();
}

// The skin may put the docking point elsewhere, and may have moved the main window while it was
// hidden: the docked window (and the cassette being recorded, which stands there until it
// docks) goes where it docks now; windows that the new sizes and places left under the main
// window or on a docking place make way.
void TMainController::PlaceWindowsForSkin() {
    for (TQvrBaseFrm* atDock : {docked, static_cast<TQvrBaseFrm*>(recordingCassette)}) {
        if (atDock != nullptr) {
            atDock->GoToDockingPoint(false);
        }
    }
    std::vector<QRect> taken = DockingPlaces(*this, window.frameGeometry().topLeft());
    taken.push_back(window.frameGeometry());
    if (docked != nullptr) {
        taken.push_back(docked->geometry());
    }
    for (TQvrBaseFrm* other : QvrWindows()) {
        const QRect at = other->geometry();
        if (other != docked && other != recordingCassette &&
            std::any_of(taken.begin(), taken.end(),
                        [&](const QRect& place) { return at.intersects(place); })) {
            other->GlideToFreeSpot();
        }
    }
}

QWidget* TMainController::MainWindow() {
    return &window;
}

void TMainController::BringMainToFront() {
    window.raise();
    // Taking the focus from another program would be rude; within the program it is expected.
    if (QApplication::activeWindow() != nullptr) {
        window.activateWindow();
    }
}

const TSkinWindowLook& TMainController::WindowSkin(TQvrKind kind) const {
    static const TSkinWindowLook cassette = DefaultCassetteSkin();
    static const TSkinWindowLook card = DefaultCardSkin();
    const bool isCassette = kind == TQvrKind::Cassette;
    const TSkinWindowLook& skin = isCassette ? frm.Parameters.Cassette : frm.Parameters.Card;
    // Until a skin describes the windows (or after a skin failed), they keep their own looks.
    if (skin.Width <= 0 || skin.Height <= 0) {
        return isCassette ? cassette : card;
    }
    return skin;
}

int TMainController::DockSnapDistance() const {
    return frm.Parameters.DockSnapDistance;
}

void TMainController::ChooseSaveWaveFile(std::function<void(const std::string& file)> chosen) {
    auto* dialog = new QFileDialog(&window, SSaveWaveDialogTitle,
                                   QFile::decodeName(dataFolder.c_str()), SSaveWaveFilter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("wav"));
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                     [this, chosen = std::move(chosen)](const QString& file) {
                         Guarded([&] { chosen(QFile::encodeName(file).toStdString()); });
                     });
    dialog->open();
}

void TMainController::ShowProblem(const QString& text) {
    ShowMessage(text, QMessageBox::Warning);
}

void TMainController::WireActions() {
    for (const TEventCommand& command : events.Commands()) {
        TRealTimeAction* action = command.Action;
        action->OnDown = [this](QObject* sender) {
            Guarded([&] { Press(static_cast<TRealTimeAction*>(sender)->Tag()); });
        };
        action->OnHolding = [this](QObject* sender, std::int32_t milliSec) {
            Guarded([&] { Holding(static_cast<TRealTimeAction*>(sender)->Tag(), milliSec); });
        };
        action->OnReleased = [this](QObject* sender, std::int32_t milliSec) {
            Guarded([&] { Release(static_cast<TRealTimeAction*>(sender)->Tag(), milliSec); });
        };
        action->OnClick = [this](QObject* sender) {
            auto* clicked = static_cast<TRealTimeAction*>(sender);
            QObject* source = clicked->SourceButton();
            Guarded([&] { Click(clicked->Tag(), clicked->Toggled(), source); });
        };
    }
}

void TMainController::Guarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& error) {
        ReportFatal(error);
    }
}

void TMainController::ReportFatal(const std::exception& error) {
    if (FatalErrorBoxOpen()) {
        return;
    }
    const bool ticking = events.Timer1->isActive();
    events.Timer1->stop();
    const std::optional<bool> goOn = AskToGoOnAfterError(error);
    if (goOn == false) {
        if (Shell.Exit) {
            Shell.Exit();
        } else {
            QCoreApplication::exit(EXIT_FAILURE);
        }
        return;
    }
    if (ticking) {
        events.Timer1->start(TickMilliseconds);
    }
}

TMainController::TMode TMainController::Mode() const {
    if (docked == nullptr) {
        return ModeNothing;
    }
    return docked->Kind() == TQvrKind::Cassette ? ModeCassette : ModeCard;
}

TWaveFrm* TMainController::DockedCassette() const {
    return Mode() == ModeCassette ? static_cast<TWaveFrm*>(docked) : nullptr;
}

TRepeatFrm* TMainController::DockedCard() const {
    return Mode() == ModeCard ? static_cast<TRepeatFrm*>(docked) : nullptr;
}

void TMainController::DockWindow(TQvrBaseFrm* window, bool glide) {
    // The cassette being recorded docks when its recording ends: docked now, it would stop
    // the song it records.
    if (window == docked || (window != nullptr && window == recordingCassette)) {
        return;
    }
    if (window != nullptr) {
        window->GoToDockingPoint(glide);
    }
    TQvrBaseFrm* old = docked;
    if (old != nullptr && window != nullptr) {
        old->GlideToFreeSpot(window);
    }
    if (old != nullptr && old->Kind() == TQvrKind::Cassette) {
        static_cast<TWaveFrm*>(old)->ActivePlayer().Stop();
    }
    if (old == nullptr && window != nullptr && window->Kind() != TQvrKind::Card && HasMedia()) {
        player.Stop();
    }
    docked = window;
    RefreshDisplay();
    switch (Mode()) {
    case ModeNothing:
        cardRepeatEnd = -1;
        ShowRepeatTimes(true);
        break;
    case ModeCassette:
        if (HasMedia()) {
            player.Stop();
        }
        // A docked cassette shows its own speed: the one it was changed to, or the default.
        {
            TWaveFrm& cassette = *DockedCassette();
            SetRatio(cassette.IsStretched() ? cassette.StretchRatio() : DefaultRatio());
            executeEnabled = !cassette.IsStretched();
        }
        ShowRepeatTimes(true);
        BringMainToFront();
        break;
    case ModeCard:
        cardRepeatEnd = -1;
        ShowRepeatTimes(true);
        BringMainToFront();
        break;
    }
    FollowCardLoop();
    ShowSpeed();
    UpdateControlVisibility();
    if (settings.AutoStartRepeating) {
        const TRepeatFrm* card = DockedCard();
        if (DockedCassette() != nullptr || (card != nullptr && card->IsValid())) {
            RepeatSwitch(true);
            events.reRepeatPlaySwitch->SetToggled(true);
        }
    }
    if (TWaveFrm* cassette = DockedCassette();
        cassette != nullptr && cassette->RepeatStartTimeOnFile != -1) {
        MediaJump(cassette->RepeatStartTimeOnFile);
    }
    UpdateControlVisibility();
}

void TMainController::EjectDocked() {
    if (docked != nullptr) {
        docked->Eject();
    }
}

void TMainController::CloseDocked() {
    if (docked != nullptr) {
        ReleaseWindow(docked);
    }
}

void TMainController::ReleaseWindow(TQvrBaseFrm* window) {
    if (window == docked) {
        DockWindow(nullptr, false);
    }
    if (window == recordingCassette) {
        recordingCassette = nullptr;
    }
    std::erase_if(closeQueue,
                  [window](const QPointer<TQvrBaseFrm>& queued) { return queued == window; });
    Retire(window);
    UpdateControlVisibility();
}

void TMainController::Retire(TQvrBaseFrm* window) {
    std::erase_if(retired, [](const QPointer<TQvrBaseFrm>& gone) { return gone.isNull(); });
    retired.emplace_back(window);
    ReleaseQvrWindow(window);
}

void TMainController::QueueClose(TQvrBaseFrm* window) {
    closeQueue.emplace_back(window);
}

bool TMainController::Closing(const TQvrBaseFrm* window) const {
    return std::ranges::any_of(closeQueue, [window](const QPointer<TQvrBaseFrm>& queued) {
        return queued.data() == window;
    });
}

void TMainController::ReleaseCloseQueue() {
    const std::vector<QPointer<TQvrBaseFrm>> queued = std::move(closeQueue);
    closeQueue.clear();
    for (const QPointer<TQvrBaseFrm>& window : queued) {
        if (window) {
            ReleaseWindow(window);
        }
    }
}

void TMainController::ReleaseAllWindows() {
    if (docked != nullptr) {
        DockWindow(nullptr, false);
    }
    recordingCassette = nullptr;
    // An automatic recording goes with its cassette.
    if (autoRecording) {
        EndAutoRecording();
    }
    closeQueue.clear();
    std::erase_if(retired, [](const QPointer<TQvrBaseFrm>& gone) { return gone.isNull(); });
    retired.insert(retired.end(), QvrWindows().begin(), QvrWindows().end());
    ReleaseAllQvrWindows();
    UpdateControlVisibility();
}
