#include "virtual_wave_device.h"

#include <algorithm>

VirtualWaveDevice::VirtualWaveDevice(WaveDirection direction, VirtualWaveDevices& owner)
    : direction(direction), owner(&owner) {
    owner.devices.push_back(this);
}

VirtualWaveDevice::~VirtualWaveDevice() {
    if (owner != nullptr) {
        std::erase(owner->devices, this);
    }
}

void VirtualWaveDevice::Open(const WaveDeviceFormat& newFormat, BufferDone newDone) {
    if (opened) {
        throw EWaveDeviceError("The virtual device is already open.");
    }
    if (owner == nullptr) {
        throw EWaveDeviceError("The virtual devices are gone.");
    }
    if (!owner->openError.empty()) {
        throw EWaveDeviceError(owner->openError);
    }
    if (!owner->accepts(newFormat)) {
        throw EWaveDeviceError("The virtual device does not take this format.");
    }
    format = newFormat;
    done = std::move(newDone);
    opened = true;
    started = direction == WaveDirection::Output;
    processed = 0;
}

void VirtualWaveDevice::Queue(WaveBuffer& buffer) {
    if (!opened) {
        throw EWaveDeviceError("The virtual device is not open.");
    }
    if (owner == nullptr) {
        throw EWaveDeviceError("The virtual devices are gone.");
    }
    if (!owner->queueError.empty()) {
        throw EWaveDeviceError(owner->queueError);
    }
    buffer.bytesRecorded = 0;
    queue.push_back(&buffer);
}

void VirtualWaveDevice::Start() {
    started = opened;
}

void VirtualWaveDevice::Reset() {
    while (!queue.empty()) {
        WaveBuffer* buffer = queue.front();
        queue.pop_front();
        consumedOfFront = 0;
        HandBack(*buffer);
    }
    if (direction == WaveDirection::Input) {
        started = false;
    }
}

void VirtualWaveDevice::Close() {
    queue.clear();
    consumedOfFront = 0;
    opened = false;
    started = false;
}

std::int64_t VirtualWaveDevice::Advance(std::int64_t bytes) {
    const std::int64_t before = processed;
    while (owner != nullptr && bytes > 0 && started && !queue.empty()) {
        WaveBuffer& buffer = *queue.front();
        const std::int64_t n = std::min(bytes, buffer.length - consumedOfFront);
        for (std::int64_t i = 0; i < n; ++i) {
            if (direction == WaveDirection::Output) {
                owner->played.push_back(buffer.data[consumedOfFront + i]);
            } else {
                buffer.data[consumedOfFront + i] = owner->inputSignal(processed + i);
            }
        }
        consumedOfFront += n;
        processed += n;
        bytes -= n;
        if (direction == WaveDirection::Input) {
            buffer.bytesRecorded = static_cast<std::int32_t>(consumedOfFront);
        }
        if (consumedOfFront == buffer.length) {
            queue.pop_front();
            consumedOfFront = 0;
            HandBack(buffer);
        }
    }
    return processed - before;
}

std::int64_t VirtualWaveDevice::AdvanceMilliseconds(int milliseconds) {
    const std::int64_t bytes = std::int64_t{milliseconds} * format.BytesPerSecond() / 1000;
    return Advance(bytes - bytes % format.BlockAlign());
}

void VirtualWaveDevice::HandBack(WaveBuffer& buffer) {
    mailbox.Post([this, &buffer] {
        if (done) {
            done(buffer);
        }
    });
}

VirtualWaveDevices::VirtualWaveDevices()
    : scope([this](WaveDirection direction) {
          return std::make_unique<VirtualWaveDevice>(direction, *this);
      }) {}

VirtualWaveDevices::~VirtualWaveDevices() {
    for (VirtualWaveDevice* device : devices) {
        device->owner = nullptr;
    }
}

VirtualWaveDevice* VirtualWaveDevices::Current(WaveDirection direction) const {
    for (auto it = devices.rbegin(); it != devices.rend(); ++it) {
        if ((*it)->Direction() == direction && (*it)->IsOpen()) {
            return *it;
        }
    }
    return nullptr;
}
