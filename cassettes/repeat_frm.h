#pragma once

#include "cassettes/qvr_base_frm.h"

#include <QString>
#include <cstdint>

// A memory card: a repeat section of the song, from StartTime to EndTime (media times, -1 when
// not set), with each end also told as its track and its time within the track.
class TRepeatFrm : public TQvrBaseFrm {
public:
    // Titled "Repeat Section %d"; both times unset.
    explicit TRepeatFrm(TCassetteHost& host);

    TQvrKind Kind() const override { return TQvrKind::Card; }

    std::int32_t StartTime() const { return startTime; }
    std::int32_t EndTime() const { return endTime; }
    // Set an end and its texts; the song player splits a time into track and time in track.
    void SetStartTime(std::int32_t time);
    void SetEndTime(std::int32_t time);
    // Both ends set, the start before the end: only such a card repeats or records.
    bool IsValid() const;

    // "/%2.2d/" of the track and the time within it, or "[0]" and "00:00:00" for an unset end.
    QString lbStartTrack;
    QString lbStartTime;
    QString lbFromTo = QStringLiteral("~");
    QString lbEndTrack;
    QString lbEndTime;

private:
    void SetLabels(std::int32_t time, QString& track, QString& timeInTrack);

    std::int32_t startTime = -1;
    std::int32_t endTime = -1;
};
