#pragma once

#include "wave_device.h"

// The system's default output or input device through SDL's audio subsystem
// (PulseAudio, PipeWire or ALSA underneath; SDL_AUDIODRIVER picks one).
std::unique_ptr<WaveDevice> CreateSdlWaveDevice(WaveDirection direction);
