#include "key_polling.h"

#include "platform/virtual_keys.h"
#include "real_time_action.h"
#include "real_time_key.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>
#include <algorithm>
#include <vector>

namespace {

constexpr unsigned long ReleasePollMs = 10;
constexpr int ReleaseDeadlineMs = 10000;

// The objects alive now, watched: a handler may make or destroy keys and actions while the
// poll runs, and the poll goes on with the others, each once.
template <typename T> std::vector<QPointer<T>> Snapshot(const std::vector<T*>& registry) {
    return {registry.begin(), registry.end()};
}

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
    // One reading of the keyboard serves the keys as long as no handler runs; a handler may
    // take its time (a menu, a message box) while keys go down and up, so the keys after it
    // are judged on a new reading.
    HeldKeys held = CurrentKeyState().AllDown();
    bool handlerRan = false;
    for (const QPointer<TRealTimeKey>& key : Snapshot(TRealTimeKey::Registry())) {
        if (key == nullptr) {
            continue;
        }
        if (handlerRan) {
            held = CurrentKeyState().AllDown();
        }
        handlerRan = key->CheckState(ShiftStateOf(held), held);
    }
    for (const QPointer<TRealTimeAction>& action : Snapshot(TRealTimeAction::Registry())) {
        if (action != nullptr) {
            action->Hold();
        }
    }
}

void WaitForBoundKeysReleased() {
    const TShiftState shift = CurrentShiftState();
    // A key held for ever, or one the X server never reports released, must not hang the
    // program.
    const QDeadlineTimer deadline(ReleaseDeadlineMs);
    while (AnyBoundKeyPressed(shift) && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(ReleasePollMs);
    }
}
