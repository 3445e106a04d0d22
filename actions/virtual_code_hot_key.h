#pragma once

#include "shift_state.h"

#include <QLineEdit>
#include <cstdint>
#include <functional>

// A read-only field that captures a shortcut: the next key pressed in it, with its modifiers,
// whatever the key (Tab, Enter and Escape too, and the dialog's own shortcuts), is shown as
// its shortcut text. The key is named as the polls see it held, not by the character it types.
// Typing never changes the text.
class TVirtualCodeHotKey : public QLineEdit {
    Q_OBJECT
public:
    // The handler may change the key or refuse the change.
    using TOnChangeQuery = std::function<void(TVirtualCodeHotKey* sender, std::uint16_t& virtualKey,
                                              TShiftState shiftState, bool& acceptChange)>;

    explicit TVirtualCodeHotKey(QWidget* parent = nullptr);

    std::uint16_t VirtualKey() const { return virtualKey; }
    void SetVirtualKey(std::uint16_t value);
    TShiftState ShiftState() const { return shiftState; }
    void SetShiftState(TShiftState value);

    TOnChangeQuery OnChangeQuery;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The shortcut text of the key and modifiers, all selected.
    void RefreshText();

private:
    std::uint16_t virtualKey = 0;
    TShiftState shiftState = 0;
};
