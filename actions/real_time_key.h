#pragma once

#include "platform/key_state.h"
#include "shift_state.h"

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <vector>

class TRealTimeAction;

// A keyboard binding of one action. It is not driven by key events: every poll looks at
// whether its key is physically held with exactly its modifiers, and presses or releases the
// action when that changed since the last poll.
class TRealTimeKey : public QObject {
    Q_OBJECT
public:
    explicit TRealTimeKey(QObject* owner = nullptr);
    ~TRealTimeKey() override;

    std::uint16_t VirtualKey() const { return virtualKey; }
    void SetVirtualKey(std::uint16_t value) { virtualKey = value; }
    TShiftState ShiftState() const { return shiftState; }
    void SetShiftState(TShiftState value) { shiftState = value; }
    TRealTimeAction* RealTimeAction() const;
    // Moves the key to action's list of keys (from any earlier action's); nullptr unlinks it.
    void SetRealTimeAction(TRealTimeAction* value);
    // Whether the last poll saw the key held.
    bool Pressed() const { return pressed; }

    // One poll step with the modifiers held now (shift) and the keys held now. True when it
    // pressed or released the action: its handlers ran, and may have run an event loop of their
    // own (a menu, a message box) while other keys went down or up.
    bool CheckState(TShiftState shift, const HeldKeys& held);
    // Whether shift is exactly ShiftState and the key is held; fires nothing.
    bool IsPressed(TShiftState shift, const HeldKeys& held) const;

    // Every key alive, in the order they were made.
    static const std::vector<TRealTimeKey*>& Registry();

private:
    std::uint16_t virtualKey = 0;
    TShiftState shiftState = 0;
    QPointer<TRealTimeAction> action;
    bool pressed = false;
};
