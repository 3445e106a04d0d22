#include "poll_gate.h"

#include "dialog_state.h"
#include "fatal_error.h"
#include "key_polling.h"
#include "platform/tick_count.h"
#include "real_time_key.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <cstdlib>

TPollGate::TPollGate(std::function<bool()> programInFront, TRealTimeKey* minimizeKey,
                     QObject* parent)
    : QObject(parent), programInFront(std::move(programInFront)), minimizeKey(minimizeKey) {
    // Its time-out only wakes the loop; the idle moment that follows polls.
    catchUp.setSingleShot(true);
}

TPollGate::~TPollGate() {
    Remove();
}

void TPollGate::Install() {
    if (!idleHook) {
        idleHook = connect(QAbstractEventDispatcher::instance(thread()),
                           &QAbstractEventDispatcher::aboutToBlock, this, &TPollGate::Idle);
    }
}

void TPollGate::Remove() {
    disconnect(idleHook);
    idleHook = {};
    catchUp.stop();
}

void TPollGate::Idle() {
    const std::uint32_t now = TickCount();
    if (lastPollTick && now - *lastPollTick < PollIntervalMs) {
        if (!catchUp.isActive()) {
            catchUp.start(static_cast<int>(PollIntervalMs - (now - *lastPollTick)));
        }
        return;
    }
    lastPollTick = now;
    PollGate();
}

void TPollGate::PollGate() {
    // The keys belong to a dialog, box or menu of ours while one is open: typing a file name
    // must not also run the commands bound to its letters.
    if (fatalDialogOpen || polling || DialogOfOursOpen()) {
        return;
    }
    polling = true;
    // A command may destroy the gate (Exit ends the program): nothing of it is touched then.
    const QPointer<TPollGate> alive(this);
    try {
        if (programInFront()) {
            PollRealTimeKeys();
        } else if (minimizeWhileInactive && minimizeKey != nullptr &&
                   QApplication::activeWindow() == nullptr) {
            PollRealTimeKey(*minimizeKey);
        }
    } catch (const std::exception& error) {
        if (alive) {
            polling = false;
            ReportFatal(error);
        }
        return;
    }
    if (alive) {
        polling = false;
    }
}

void TPollGate::ReportFatal(const std::exception& error) {
    fatalDialogOpen = true;
    const QPointer<TPollGate> alive(this);
    const std::optional<bool> goOn = AskToGoOnAfterError(error);
    if (!alive) {
        return;
    }
    if (goOn == false) {
        // Polling stays off: the program is ending.
        if (OnFatalExit) {
            OnFatalExit();
        } else {
            QCoreApplication::exit(EXIT_FAILURE);
        }
        return;
    }
    fatalDialogOpen = false;
}

bool IsProgramInFront(const QWidget* mainWindow, const QWidget* playerDisplay) {
    const QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active == playerDisplay) {
        return true;
    }
    // A disabled main window is busy with long work (a speed change): its keys wait too.
    if (mainWindow != nullptr && !mainWindow->isEnabled()) {
        return false;
    }
    // Up through the windows' owners, which QWidget::isAncestorOf does not cross. A dialog of
    // the program, or a window of its own such as the playlist, keeps its keys to itself even
    // when the main window owns it: what is typed there is not a command.
    for (const QWidget* window = active; window != nullptr; window = window->parentWidget()) {
        if (window == mainWindow) {
            return true;
        }
        if (qobject_cast<const QDialog*>(window) != nullptr ||
            (window->isWindow() && window->windowType() == Qt::Window)) {
            return false;
        }
    }
    return false;
}
