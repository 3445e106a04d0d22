#include "key_polling.h"

#include "platform/tick_count.h"
#include "platform/virtual_keys.h"
#include "real_time_action.h"
#include "real_time_key.h"

#include <QPointer>
#include <vector>

namespace {

// The keys held when a menu or dialog last closed that no poll has seen let go since.
struct SwallowedKeys {
    HeldKeys keys;
    std::uint32_t since = 0;
};

SwallowedKeys& Swallowed() {
    static SwallowedKeys swallowed;
    return swallowed;
}

// The keys as the bindings see them now: the modifiers as they are held, the keys still
// swallowed as not held.
struct KeyReading {
    TShiftState shift = 0;
    HeldKeys held;
};

KeyReading ReadKeys() {
    const HeldKeys held = CurrentKeyState().AllDown();
    SwallowedKeys& swallowed = Swallowed();
    swallowed.keys &= held;
    if (swallowed.keys.any() && TickCount() - swallowed.since >= SwallowDeadlineMs) {
        swallowed.keys.reset();
    }
    return {ShiftStateOf(held), held & ~swallowed.keys};
}

// The objects alive now, watched: a handler may make or destroy keys and actions while the
// poll runs, and the poll goes on with the others, each once.
template <typename T> std::vector<QPointer<T>> Snapshot(const std::vector<T*>& registry) {
    return {registry.begin(), registry.end()};
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

void PollRealTimeKeys() {
    // One reading of the keyboard serves the keys as long as no handler runs; a handler may
    // take its time (a menu, a message box) while keys go down and up, so the keys after it
    // are judged on a new reading.
    KeyReading reading = ReadKeys();
    bool handlerRan = false;
    for (const QPointer<TRealTimeKey>& key : Snapshot(TRealTimeKey::Registry())) {
        if (key == nullptr) {
            continue;
        }
        if (handlerRan) {
            reading = ReadKeys();
        }
        handlerRan = key->CheckState(reading.shift, reading.held);
    }
    for (const QPointer<TRealTimeAction>& action : Snapshot(TRealTimeAction::Registry())) {
        if (action != nullptr) {
            action->Hold();
        }
    }
}

void PollRealTimeKey(TRealTimeKey& key) {
    const KeyReading reading = ReadKeys();
    key.CheckState(reading.shift, reading.held);
}

void SwallowHeldKeys() {
    SwallowedKeys& swallowed = Swallowed();
    swallowed.keys |= CurrentKeyState().AllDown();
    swallowed.since = TickCount();
}
