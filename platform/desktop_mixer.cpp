#include "desktop_mixer.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

// pavucontrol's tabs, counted from 1: playback, recording, output devices, input devices.
constexpr int OutputDevicesTab = 3;
constexpr int InputDevicesTab = 4;

} // namespace

bool StartDesktopMixer(bool recording) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pavucontrol"));
    if (program.isEmpty()) {
        return false;
    }
    return QProcess::startDetached(
        program, {QStringLiteral("--tab=%1").arg(recording ? InputDevicesTab : OutputDevicesTab)});
}
