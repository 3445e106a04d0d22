#include "desktop_mixer.h"

#include "desktop_launcher.h"

#include <QString>

namespace {

// pavucontrol's tabs, counted from 1: playback, recording, output devices, input devices.
constexpr int OutputDevicesTab = 3;
constexpr int InputDevicesTab = 4;

} // namespace

bool StartDesktopMixer(bool recording) {
    return CurrentLauncher().StartProgram(
        QStringLiteral("pavucontrol"),
        {QStringLiteral("--tab=%1").arg(recording ? InputDevicesTab : OutputDevicesTab)});
}
