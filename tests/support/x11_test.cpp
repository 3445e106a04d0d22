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

namespace {

struct ToolRun {
    bool ended = false;
    int exitCode = -1;
    QString output;
    QString errors;
};

ToolRun RunToEnd(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    ToolRun run;
    run.ended =
        WaitOnGuiThread([&] { return process.state() == QProcess::NotRunning; }, timeoutMs) &&
        process.exitStatus() == QProcess::NormalExit;
    if (!run.ended) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

QString RunX11Tool(const QString& program, const QStringList& arguments) {
    const ToolRun run = RunToEnd(program, arguments, ToolTimeoutMs);
    EXPECT_TRUE(run.ended) << program.toStdString() << " hung or crashed";
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    return run.output;
}

QStringList SearchWindows(const QStringList& criteria, WindowSearch search) {
    QStringList found;
    QString lastErrors;
    const bool done = WaitOnGuiThread(
        [&] {
            // xdotool walks the whole window tree and dies when a window vanishes under it (a
            // program ending, a splash closing): such a walk proves nothing and is tried again.
            // It ends with 1 and prints nothing when no window matches.
            const ToolRun run =
                RunToEnd("xdotool", QStringList{"search"} + criteria, ToolTimeoutMs);
            lastErrors = run.errors;
            if (!run.ended || !run.errors.isEmpty()) {
                return false;
            }
            found = run.output.split('\n', Qt::SkipEmptyParts);
            return search == WindowSearch::Now || !found.isEmpty();
        },
        ToolTimeoutMs);
    EXPECT_TRUE(done) << "no window matched " << criteria.join(' ').toStdString() << ": "
                      << lastErrors.toStdString();
    return found;
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
