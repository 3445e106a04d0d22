#include "poll_gate.h"

#include "key_polling.h"
#include "message_format.h"
#include "messages.h"
#include "program_caption.h"
#include "real_time_key.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace {

// Message texts break lines with carriage returns.
QString WithLineFeeds(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
}

} // namespace

TPollGate::TPollGate(std::function<bool()> programInFront, TRealTimeKey* minimizeKey,
                     QObject* parent)
    : QObject(parent), programInFront(std::move(programInFront)), minimizeKey(minimizeKey) {}

TPollGate::~TPollGate() {
    Remove();
}

void TPollGate::Install() {
    if (!idleHook) {
        idleHook = connect(QAbstractEventDispatcher::instance(thread()),
                           &QAbstractEventDispatcher::aboutToBlock, this, &TPollGate::PollGate);
    }
}

void TPollGate::Remove() {
    disconnect(idleHook);
    idleHook = {};
}

void TPollGate::PollGate() {
    if (fatalDialogOpen || polling || QApplication::activePopupWidget() != nullptr) {
        return;
    }
    polling = true;
    try {
        if (programInFront()) {
            PollRealTimeKeys();
        } else if (minimizeWhileInactive && minimizeKey != nullptr) {
            minimizeKey->CheckState(CurrentShiftState());
        }
        polling = false;
    } catch (const std::exception& error) {
        polling = false;
        ReportFatal(error);
    }
}

void TPollGate::ReportFatal(const std::exception& error) {
    fatalDialogOpen = true;
    const QString text =
        WithLineFeeds(FormatMessage(SFatalError, {QString::fromUtf8(error.what())}));
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ProgramCaption), text,
                    QMessageBox::Ok | QMessageBox::Cancel);
    if (box.exec() == QMessageBox::Ok) {
        if (OnFatalExit) {
            OnFatalExit();
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
