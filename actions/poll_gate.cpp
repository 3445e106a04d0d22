#include "poll_gate.h"

#include "fatal_error.h"
#include "key_polling.h"
#include "platform/tick_count.h"
#include "real_time_key.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
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
    if (fatalDialogOpen || polling || FatalErrorBoxOpen() ||
        QApplication::activePopupWidget() != nullptr) {
        return;
    }
    polling = true;
    // A command may destroy the gate (Exit ends the program): nothing of it is touched then.
    const QPointer<TPollGate> alive(this);
    try {
        if (programInFront()) {
            PollRealTimeKeys();
        } else if (minimizeWhileInactive && minimizeKey != nullptr) {
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
    // Up through the windows' owners, which QWidget::isAncestorOf does not cross.
    for (const QWidget* window = active; window != nullptr; window = window->parentWidget()) {
        if (window == mainWindow) {
            return true;
        }
    }
    return false;
}
