#include "record_source.h"

#include "song_tap_device.h"

TSongRecordSource::TSongRecordSource(TMediaPlayer& player)
    : tap(player), scope(WaveDirection::Input,
                         [this](WaveDirection) { return std::make_unique<TSongTapDevice>(tap); }) {}
