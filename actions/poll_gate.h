#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>

class QWidget;
class TRealTimeKey;

// The key polling of idle moments. Installed, it polls when the GUI thread's event loop is
// about to wait for events: all bound keys while the program is in front; only the Minimize
// key while it is not, and only when that is allowed. It never posts an event itself, and it
// polls at most once every PollIntervalMs: a command that repaints at every poll wakes the loop
// at once, which would otherwise poll again and again without rest. An error raised by a
// command during a poll stops the polling and asks the user whether to end the program.
class TPollGate : public QObject {
    Q_OBJECT
public:
    static constexpr std::uint32_t PollIntervalMs = 10;

    // programInFront: whether the active window is the program's own (IsProgramInFront);
    // minimizeKey (not owned; may be null, may be destroyed first): the key polled alone
    // while the program is not.
    TPollGate(std::function<bool()> programInFront, TRealTimeKey* minimizeKey,
              QObject* parent = nullptr);
    ~TPollGate() override;

    void Install();
    void Remove();

    // The option that lets the Minimize key work while another program is in front.
    bool MinimizeWhileInactive() const { return minimizeWhileInactive; }
    void SetMinimizeWhileInactive(bool value) { minimizeWhileInactive = value; }
    // What OK in the error box does: end the program. Unset, the application's event loop ends
    // with a failure code.
    std::function<void()> OnFatalExit;

    // One idle moment. Does nothing while a dialog, box or popup menu of the program is open
    // or while a command of this gate's own poll runs: those keys belong to the dialog or menu.
    // A command may destroy the gate.
    void PollGate();
    bool FatalDialogOpen() const { return fatalDialogOpen; }

private:
    // The event loop is about to wait: polls, unless the last poll is too recent.
    void Idle();
    void ReportFatal(const std::exception& error);

    std::function<bool()> programInFront;
    QPointer<TRealTimeKey> minimizeKey;
    bool minimizeWhileInactive = false;
    bool fatalDialogOpen = false;
    bool polling = false;
    QMetaObject::Connection idleHook;
    std::optional<std::uint32_t> lastPollTick;
    // Wakes the loop when an idle moment was passed over, so that a key change is seen then
    // rather than at whatever wakes the loop next.
    QTimer catchUp;
};

// Whether the active window is the main window, one of the tool windows it owns (cassettes and
// cards), or the player's display window (when there is one); never while the main window is
// disabled. A dialog or a window of its own (the playlist) keeps its keys, even one the main
// window owns.
bool IsProgramInFront(const QWidget* mainWindow, const QWidget* playerDisplay = nullptr);
