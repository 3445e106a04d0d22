// From a key going down in the X server to the command bound to it starting, through the
// program's own path: the idle moment polls the held keys and fires the action. 100 presses of
// Space bound to Play, each held briefly, on a window of the program that is in front; printed
// next to the two periods that bound the wait: the key polling's minimum interval and the main
// timer that wakes an idle program. Needs an X display with a window manager:
//   eval "$(scripts/xvfb.sh start)"; QT_QPA_PLATFORM=xcb build/bench/quavrel-bench-key-latency
// then scripts/xvfb.sh stop.

#include "actions/event_module.h"
#include "actions/poll_gate.h"
#include "actions/real_time_action.h"
#include "actions/real_time_key.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Presses = 100;
constexpr int HoldMs = 30;
constexpr int PauseMs = 50;
constexpr std::uint16_t VkSpace = 0x20;
constexpr int MainTimerMs = 64;

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) {
        std::fprintf(stderr, "needs an X display (QT_QPA_PLATFORM=xcb)\n");
        return EXIT_FAILURE;
    }
    Display* display = x11->display();
    const KeyCode space = XKeysymToKeycode(display, XK_space);

    QWidget window;
    window.setWindowTitle(QStringLiteral("key latency"));
    window.resize(200, 100);
    window.show();
    window.activateWindow();

    TEventModule module;
    module.rkPlay->SetVirtualKey(VkSpace);
    TPollGate gate([&window] { return IsProgramInFront(&window); }, module.rkMinimize);
    gate.Install();
    // As in the program: the main timer wakes an idle loop at least this often.
    module.Timer1->start(MainTimerMs);

    std::vector<double> latencies;
    Clock::time_point down;
    bool waiting = false;
    const auto press = [&] {
        down = Clock::now();
        waiting = true;
        XTestFakeKeyEvent(display, space, True, CurrentTime);
        XFlush(display);
    };
    module.rePlay->OnDown = [&](QObject*) {
        if (!waiting) {
            return;
        }
        waiting = false;
        latencies.push_back(Milliseconds(Clock::now() - down));
        QTimer::singleShot(HoldMs, &app, [&] {
            XTestFakeKeyEvent(display, space, False, CurrentTime);
            XFlush(display);
            if (static_cast<int>(latencies.size()) == Presses) {
                QTimer::singleShot(PauseMs, &app, [] { QCoreApplication::quit(); });
            } else {
                QTimer::singleShot(PauseMs, &app, press);
            }
        });
    };
    // Give the window manager time to put the window in front.
    QTimer::singleShot(500, &app, press);
    // A press that never arrives ends the run rather than hanging it.
    QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(EXIT_FAILURE); });
    const int code = QApplication::exec();
    if (code != 0 || latencies.empty()) {
        std::fprintf(stderr, "the key presses did not reach the program (is it in front?)\n");
        return EXIT_FAILURE;
    }
    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[latencies.size() / 2];
    const double worst = latencies.back();
    std::printf("key down to command, %zu presses: median %.2f ms, worst %.2f ms\n",
                latencies.size(), median, worst);
    std::printf("bounds: key polling interval %u ms; main timer %d ms (an idle program that is "
                "woken by nothing else)\n",
                TPollGate::PollIntervalMs, MainTimerMs);
    return EXIT_SUCCESS;
}
