#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class TPlayerInterface;

// Enters a player into the process-wide list of players for as long as it lives.
class TSingleWaveDeviceAtSameTime {
public:
    explicit TSingleWaveDeviceAtSameTime(TPlayerInterface* player);
    ~TSingleWaveDeviceAtSameTime();
    TSingleWaveDeviceAtSameTime(const TSingleWaveDeviceAtSameTime&) = delete;
    TSingleWaveDeviceAtSameTime& operator=(const TSingleWaveDeviceAtSameTime&) = delete;

    static const std::vector<TPlayerInterface*>& Players();

private:
    TPlayerInterface* player;
};

// A player of some sound with a position and a repeat range, all in milliseconds. Every
// operation does nothing here.
class TPlayerInterface {
public:
    TPlayerInterface();
    virtual ~TPlayerInterface();
    TPlayerInterface(const TPlayerInterface&) = delete;
    TPlayerInterface& operator=(const TPlayerInterface&) = delete;

    virtual void SetPosition(std::int32_t ms);
    virtual std::int32_t GetPosition();
    virtual void SetRepeatStart(std::int32_t ms);
    virtual std::int32_t GetRepeatStart();
    virtual void SetRepeatEnd(std::int32_t ms);
    virtual std::int32_t GetRepeatEnd();
    virtual std::int32_t GetLength();
    virtual void SetState(std::uint8_t state);
    virtual void Open();
    virtual void OpenNew();
    virtual void Close();
    virtual void Play();
    virtual void Record();
    virtual void Stop();
    virtual void PlayStop();

private:
    std::unique_ptr<TSingleWaveDeviceAtSameTime> DeviceRegistration;
};
