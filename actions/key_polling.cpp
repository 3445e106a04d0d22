#include "key_polling.h"

#include "platform/virtual_keys.h"
#include "real_time_action.h"
#include "real_time_key.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>

namespace {

constexpr unsigned long ReleasePollMs = 10;

bool AnyBoundKeyPressed(TShiftState shift) {
    const HeldKeys held = CurrentKeyState().AllDown();
    const auto& keys = TRealTimeKey::Registry();
    return std::any_of(keys.begin(), keys.end(),
                       [&](const TRealTimeKey* key) { return key->IsPressed(shift, held); });
}

} // namespace

TShiftState ShiftStateOf(const HeldKeys& held) {
    TShiftState shift = 0;
    if (held.test(VkShift)) {
        shift |= ssShift;
    }
    if (held.test(VkMenu)) {
        shift |= ssAlt;
    }
    if (held.test(VkControl)) {
        shift |= ssCtrl;
    }
    return shift;
}

TShiftState CurrentShiftState() {
    return ShiftStateOf(CurrentKeyState().AllDown());
}

void PollRealTimeKeys() {
    // One reading of the keyboard for the whole poll: every key judged at the same moment.
    const HeldKeys held = CurrentKeyState().AllDown();
    const TShiftState shift = ShiftStateOf(held);
    // By index: a handler may make or destroy keys and actions while the poll runs.
    const auto& keys = TRealTimeKey::Registry();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        keys[i]->CheckState(shift, held);
    }
    const auto& actions = TRealTimeAction::Registry();
    for (std::size_t i = 0; i < actions.size(); ++i) {
        actions[i]->Hold();
    }
}

void WaitForBoundKeysReleased() {
    const TShiftState shift = CurrentShiftState();
    while (AnyBoundKeyPressed(shift)) {
        QCoreApplication::processEvents();
        QThread::msleep(ReleasePollMs);
    }
}
