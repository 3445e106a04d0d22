#include "device_run.h"

#include <QCoreApplication>
#include <QTimer>

DeviceRun::DeviceRun(WaveDirection direction, const WaveDeviceFormat& format, Handler handler)
    : device(CreateDefaultWaveDevice(direction)), handler(std::move(handler)) {
    // The device hands its buffers back through its own mailbox, which goes with it: no
    // completion outlives the run.
    device->Open(format, [this](WaveBuffer& buffer) { Returned(buffer); });
}

DeviceRun::~DeviceRun() {
    device->Close();
}

void DeviceRun::Queue(WaveBuffer& buffer) {
    device->Queue(buffer);
    queued.push_back(&buffer);
}

void DeviceRun::Start() {
    device->Start();
}

void DeviceRun::Reset() {
    device->Reset();
}

void DeviceRun::Retire(std::unique_ptr<DeviceRun> run, TBufferPair buffers) {
    run->handler = nullptr;
    run->buffers = std::move(buffers);
    run->retired = true;
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        // Without an event loop no buffer can come back: the run ends here.
        return;
    }
    // The application frees whatever is still retiring when it goes.
    run->setParent(application);
    DeviceRun* self = run.release();
    if (self->queued.empty()) {
        self->Finish();
        return;
    }
    try {
        self->device->Reset();
    } catch (const std::exception&) {
        self->Finish();
        return;
    }
    QTimer::singleShot(RetireDeadlineMs, self, [self] { self->Finish(); });
}

void DeviceRun::Returned(WaveBuffer& buffer) {
    std::erase(queued, &buffer);
    if (!retired) {
        // The player may retire the run from inside the call, which drops its handler.
        const Handler call = handler;
        call(buffer);
    } else if (queued.empty()) {
        Finish();
    }
}

void DeviceRun::Finish() {
    if (finished) {
        return;
    }
    finished = true;
    CloseWhenHeard(QDeadlineTimer(EndHeardWithinMs));
}

// Looks again a little later while the end is still on its way, so that closing never has to
// wait for it. Runs inside a completion of the device at times, so the run is freed once that
// has returned.
void DeviceRun::CloseWhenHeard(const QDeadlineTimer& deadline) {
    if (device->UnheardBytes() > 0 && !deadline.hasExpired()) {
        QTimer::singleShot(EndHeardPollMs, this, [this, deadline] { CloseWhenHeard(deadline); });
        return;
    }
    device->Close();
    deleteLater();
}
