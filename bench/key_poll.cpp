// The cost of one poll of all 29 keys of the event module through the X server's key state,
// next to one bare keymap request on the same connection (what a poll cannot do without) and
// to reading the 29 keys one request each. Needs an X display: run it on the private one,
//   eval "$(scripts/xvfb.sh start)"; QT_QPA_PLATFORM=xcb build/bench/quavrel-bench-key-poll
// then scripts/xvfb.sh stop.

#include "actions/event_module.h"
#include "actions/key_polling.h"
#include "actions/real_time_key.h"
#include "platform/key_state.h"

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>
#include <xcb/xcb.h>

namespace {

constexpr int Batches = 41;
constexpr int RunsPerBatch = 250;
constexpr double TargetMicroseconds = 50;

// Microseconds per run: the median over batches, so that a stray pause of the machine does
// not count.
double MicrosecondsPerRun(const std::function<void()>& run) {
    for (int i = 0; i < RunsPerBatch; ++i) {
        run();
    }
    std::vector<double> batches;
    for (int batch = 0; batch < Batches; ++batch) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < RunsPerBatch; ++i) {
            run();
        }
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - start;
        batches.push_back(spent.count() / RunsPerBatch);
    }
    std::nth_element(batches.begin(), batches.begin() + Batches / 2, batches.end());
    return batches[Batches / 2];
}

// Nothing held, without asking anyone: what the poll costs on its own.
class NothingHeld : public KeyStateSource {
public:
    bool IsDown(std::uint16_t) override { return false; }
    HeldKeys AllDown() override { return {}; }
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        std::fprintf(stderr, "needs an X display (QT_QPA_PLATFORM=xcb)\n");
        return EXIT_FAILURE;
    }
    TEventModule module;
    // Bound as a user would bind them: letters, then function keys.
    std::vector<std::uint16_t> bound;
    for (const TEventCommand& command : module.Commands()) {
        if (command.Key != nullptr) {
            const auto index = static_cast<std::uint16_t>(bound.size());
            const std::uint16_t key = index < 26 ? 'A' + index : 112 + (index - 26);
            command.Key->SetVirtualKey(key);
            bound.push_back(key);
        }
    }

    const double poll = MicrosecondsPerRun(PollRealTimeKeys);
    NothingHeld nothing;
    SetKeyStateSource(&nothing);
    const double logic = MicrosecondsPerRun(PollRealTimeKeys);
    SetKeyStateSource(nullptr);

    xcb_connection_t* connection = x11->connection();
    const double roundTrip = MicrosecondsPerRun([connection] {
        std::free(xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr));
    });
    const double oneByOne = MicrosecondsPerRun([&bound] {
        for (const std::uint16_t key : bound) {
            CurrentKeyState().IsDown(key);
        }
    });

    std::printf("one poll of all %zu keys (X keymap):    %7.2f us   target: under %.0f us  %s\n",
                bound.size(), poll, TargetMicroseconds,
                poll < TargetMicroseconds ? "met" : "MISSED");
    std::printf("  of it, the poll without the server:  %7.2f us\n", logic);
    std::printf("reference: one keymap request (xcb):   %7.2f us\n", roundTrip);
    std::printf("reference: the %zu keys one request each: %7.2f us\n", bound.size(), oneByOne);
    return poll < TargetMicroseconds ? EXIT_SUCCESS : EXIT_FAILURE;
}
