#include "record_source.h"

#include "song_tap_device.h"

int RecordSource = RecordSourceSong;

TSongRecordSource::TSongRecordSource(TMediaPlayer& player)
    : tap(player), scope(WaveDirection::Input,
                         [this](WaveDirection) { return std::make_unique<TSongTapDevice>(tap); }) {}
