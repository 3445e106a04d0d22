#pragma once

// Opens the desktop's volume control (pavucontrol) on its output devices, or on its input
// devices for recording. False, and nothing shown, when it is not installed.
bool StartDesktopMixer(bool recording);
