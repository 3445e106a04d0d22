#include "real_time_action.h"

#include "platform/tick_count.h"
#include "real_time_button.h"
#include "real_time_key.h"
#include "registry.h"

TRealTimeAction::TRealTimeAction(QObject* owner) : QObject(owner) {
    Register(this);
}

TRealTimeAction::~TRealTimeAction() {
    const std::vector<TRealTimeButton*> linkedButtons = buttons;
    for (auto button = linkedButtons.rbegin(); button != linkedButtons.rend(); ++button) {
        (*button)->SetRealTimeAction(nullptr);
    }
    const std::vector<TRealTimeKey*> linkedKeys = keys;
    for (auto key = linkedKeys.rbegin(); key != linkedKeys.rend(); ++key) {
        (*key)->SetRealTimeAction(nullptr);
    }
    Unregister(this);
}

const std::vector<TRealTimeAction*>& TRealTimeAction::Registry() {
    return RegistryOf<TRealTimeAction>();
}

void TRealTimeAction::SetToggleType(bool value) {
    toggleType = value;
    for (TRealTimeButton* button : buttons) {
        button->SetToggleType(value);
        button->SetToggled(toggled);
    }
}

void TRealTimeAction::SetDowned(bool value) {
    // Only a release of a pressed switch flips it: a second release (of a second key bound to
    // the same switch) must not flip it back without a click.
    if (toggleType && downed && !value) {
        toggled = !toggled;
    }
    downed = value;
    for (TRealTimeButton* button : buttons) {
        button->SetDowned(value);
        if (toggleType) {
            button->SetToggled(toggled);
        }
    }
}

void TRealTimeAction::SetToggled(bool value) {
    toggled = value;
    for (TRealTimeButton* button : buttons) {
        button->SetToggled(value);
    }
}

TRealTimeButton* TRealTimeAction::LinkedButton(int index) const {
    return index >= 0 && index < LinkedButtonCount() ? buttons[static_cast<std::size_t>(index)]
                                                     : nullptr;
}

TRealTimeKey* TRealTimeAction::LinkedKey(int index) const {
    return index >= 0 && index < LinkedKeyCount() ? keys[static_cast<std::size_t>(index)] : nullptr;
}

TRealTimeKey* TRealTimeAction::SourceKey() const {
    return sourceKey;
}

TRealTimeButton* TRealTimeAction::SourceButton() const {
    return sourceButton;
}

// A handler may destroy its action (the Exit command ends the program, a window closes with its
// commands): after each one, nothing more happens unless the action is still alive.

void TRealTimeAction::Press(QObject* source) {
    RecordSource(source);
    downTick = TickCount();
    const QPointer<TRealTimeAction> alive(this);
    if (OnDown) {
        OnDown(this);
    }
    if (alive) {
        SetDowned(true);
    }
}

void TRealTimeAction::Release(QObject* source) {
    RecordSource(source);
    const QPointer<TRealTimeAction> alive(this);
    if (OnReleased) {
        OnReleased(this, HeldMilliSec());
    }
    if (alive && OnUp) {
        OnUp(this);
    }
    if (alive && downed && OnClick) {
        OnClick(this);
    }
    if (alive) {
        SetDowned(false);
    }
}

void TRealTimeAction::Hold() {
    if (downed && OnHolding) {
        OnHolding(this, HeldMilliSec());
    }
}

void TRealTimeAction::Link(TRealTimeButton* button) {
    LinkOnce(buttons, button);
}

void TRealTimeAction::Unlink(TRealTimeButton* button) {
    std::erase(buttons, button);
}

void TRealTimeAction::Link(TRealTimeKey* key) {
    LinkOnce(keys, key);
}

void TRealTimeAction::Unlink(TRealTimeKey* key) {
    std::erase(keys, key);
}

void TRealTimeAction::RecordSource(QObject* source) {
    sourceKey = qobject_cast<TRealTimeKey*>(source);
    sourceButton = qobject_cast<TRealTimeButton*>(source);
}

std::int32_t TRealTimeAction::HeldMilliSec() const {
    // Unsigned difference, so a press before the 32-bit tick count wrapped still counts right.
    return static_cast<std::int32_t>(TickCount() - downTick);
}
