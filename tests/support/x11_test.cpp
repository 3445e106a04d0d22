#include "x11_test.h"

#include "tests/support/gui_events.h"
#include "tests/support/gui_wait.h"
#include "tests/support/required_environment.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int ToolTimeoutMs = 10000;

} // namespace

void X11Test::SetUp() {
    QUAVREL_SKIP_UNLESS_PRESENT(QGuiApplication::platformName() == "xcb",
                                "an X display with a window manager (scripts/test.sh gives one)");
}

void X11Test::PressMouseButton(int button) {
    heldButtons.insert(button);
    RunX11Tool("xdotool", {"mousedown", QString::number(button)});
}

void X11Test::ReleaseMouseButton(int button) {
    heldButtons.erase(button);
    RunX11Tool("xdotool", {"mouseup", QString::number(button)});
}

void X11Test::PressKey(const QString& key) {
    heldKeys.insert(key);
    RunX11Tool("xdotool", {"keydown", key});
}

void X11Test::ReleaseKey(const QString& key) {
    // key may be the held set's own entry (TearDown): used before it is erased.
    RunX11Tool("xdotool", {"keyup", key});
    heldKeys.erase(key);
}

HeldKeys X11Test::PollWhilePressed(const QString& key, const HeldKeys& expected) {
    PressKey(key);
    HeldKeys held;
    WaitOnGuiThread(
        [&] {
            held = CurrentKeyState().AllDown();
            return held == expected;
        },
        ToolTimeoutMs);
    ReleaseKey(key);
    EXPECT_TRUE(WaitOnGuiThread([] { return CurrentKeyState().AllDown().none(); }, ToolTimeoutMs));
    return held;
}

void X11Test::SetKeyboardLayout(const QString& layout) {
    if (layoutBefore.isEmpty()) {
        const QRegularExpressionMatch query =
            QRegularExpression(QStringLiteral("^layout:\\s*(\\S+)"),
                               QRegularExpression::MultilineOption)
                .match(RunX11Tool("setxkbmap", {"-query"}));
        ASSERT_TRUE(query.hasMatch());
        layoutBefore = query.captured(1);
    }
    RunX11Tool("setxkbmap", {layout});
}

void X11Test::TearDown() {
    while (!heldButtons.empty()) {
        ReleaseMouseButton(*heldButtons.begin());
    }
    while (!heldKeys.empty()) {
        ReleaseKey(*heldKeys.begin());
    }
    if (!layoutBefore.isEmpty()) {
        RunX11Tool("setxkbmap", {layoutBefore});
    }
}

QString RunX11Tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    const bool finished =
        WaitOnGuiThread([&] { return process.state() == QProcess::NotRunning; }, ToolTimeoutMs);
    EXPECT_TRUE(finished) << program.toStdString() << " hung";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

void ShowAndWait(QWidget* window) {
    window->show();
    const bool exposed = WaitOnGuiThread(
        [&] { return window->windowHandle() && window->windowHandle()->isExposed(); },
        ToolTimeoutMs);
    ASSERT_TRUE(exposed) << "the window was never mapped";
    ProcessGuiEvents();
}

QImage GrabScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}
