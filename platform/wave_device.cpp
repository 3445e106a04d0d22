#include "wave_device.h"

#include "sdl_wave_device.h"

#include <utility>

namespace {

WaveDeviceFactory& CurrentFactory() {
    static WaveDeviceFactory factory = CreateSdlWaveDevice;
    return factory;
}

} // namespace

std::unique_ptr<WaveDevice> CreateDefaultWaveDevice(WaveDirection direction) {
    return CurrentFactory()(direction);
}

ScopedWaveDeviceFactory::ScopedWaveDeviceFactory(WaveDeviceFactory factory)
    : previous(std::exchange(CurrentFactory(), std::move(factory))) {}

ScopedWaveDeviceFactory::ScopedWaveDeviceFactory(WaveDirection only, WaveDeviceFactory factory)
    : ScopedWaveDeviceFactory(
          [only, factory = std::move(factory), outer = CurrentFactory()](WaveDirection direction) {
              return direction == only ? factory(direction) : outer(direction);
          }) {}

ScopedWaveDeviceFactory::~ScopedWaveDeviceFactory() {
    CurrentFactory() = std::move(previous);
}
