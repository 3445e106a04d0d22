#pragma once

#include "key_state.h"

#include <QObject>
#include <bitset>

// Key state where the display system cannot be asked: kept from the key events that reach this
// program. It cannot see keys pressed while another program is in front, and it forgets every
// key when the program loses the focus, since their releases will go elsewhere.
class EventKeyState final : public QObject, public KeyStateSource {
    Q_OBJECT
public:
    // Watches every event of the application from now on.
    EventKeyState();

    bool IsDown(std::uint16_t virtualKey) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::bitset<256> held;
};
