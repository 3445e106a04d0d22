#include "player_interface.h"

#include <algorithm>

namespace {

std::vector<TPlayerInterface*>& PlayerList() {
    static std::vector<TPlayerInterface*> players;
    return players;
}

} // namespace

TSingleWaveDeviceAtSameTime::TSingleWaveDeviceAtSameTime(TPlayerInterface* player)
    : player(player) {
    PlayerList().push_back(player);
}

TSingleWaveDeviceAtSameTime::~TSingleWaveDeviceAtSameTime() {
    std::erase(PlayerList(), player);
}

const std::vector<TPlayerInterface*>& TSingleWaveDeviceAtSameTime::Players() {
    return PlayerList();
}

TPlayerInterface::TPlayerInterface()
    : DeviceRegistration(std::make_unique<TSingleWaveDeviceAtSameTime>(this)) {}

TPlayerInterface::~TPlayerInterface() = default;

void TPlayerInterface::SetPosition(std::int32_t) {}
std::int32_t TPlayerInterface::GetPosition() {
    return 0;
}
void TPlayerInterface::SetRepeatStart(std::int32_t) {}
std::int32_t TPlayerInterface::GetRepeatStart() {
    return 0;
}
void TPlayerInterface::SetRepeatEnd(std::int32_t) {}
std::int32_t TPlayerInterface::GetRepeatEnd() {
    return 0;
}
std::int32_t TPlayerInterface::GetLength() {
    return 0;
}
void TPlayerInterface::SetState(std::uint8_t) {}
void TPlayerInterface::Open() {}
void TPlayerInterface::OpenNew() {}
void TPlayerInterface::Close() {}
void TPlayerInterface::Play() {}
void TPlayerInterface::Record() {}
void TPlayerInterface::Stop() {}
void TPlayerInterface::PlayStop() {}
