#include "cassettes/repeat_frm.h"

#include "audio/cda_media_player.h"
#include "audio/time_text.h"
#include "cassettes/qvr_window_list.h"

TRepeatFrm::TRepeatFrm(TCassetteHost& host) : TQvrBaseFrm(host) {
    setObjectName(QStringLiteral("RepeatFrm"));
    SetTitle(NextCardTitle());
    SetLabels(-1, lbStartTrack, lbStartTime);
    SetLabels(-1, lbEndTrack, lbEndTime);
    ApplySkin();
}

void TRepeatFrm::SetLabels(std::int32_t time, QString& track, QString& timeInTrack) {
    if (time == -1) {
        track = QStringLiteral("[0]");
        timeInTrack = QStringLiteral("00:00:00");
        return;
    }
    std::int32_t number = 0;
    std::int32_t offset = 0;
    Host.SongPlayer().PositionToTrack(time, number, offset);
    track = QString::asprintf("/%2.2d/", number);
    timeInTrack = QString::fromStdString(TimeText(offset));
}

void TRepeatFrm::SetStartTime(std::int32_t time) {
    SetLabels(time, lbStartTrack, lbStartTime);
    startTime = time;
}

void TRepeatFrm::SetEndTime(std::int32_t time) {
    SetLabels(time, lbEndTrack, lbEndTime);
    endTime = time;
}

bool TRepeatFrm::IsValid() const {
    return startTime != -1 && endTime != -1 && startTime < endTime;
}
