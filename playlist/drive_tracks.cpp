#include "drive_tracks.h"

#include "platform/cd_drive.h"

std::vector<QString> DriveTrackNames(const std::string& drive) {
    std::vector<QString> names;
    try {
        const CdToc toc = CdDrive(drive).ReadToc();
        for (const CdTrack& track : toc.tracks) {
            if (track.audio) {
                names.push_back(
                    QStringLiteral("Track%1.cda").arg(track.number, 2, 10, QChar(u'0')));
            }
        }
    } catch (const Exception&) {
        return {}; // no disc, or one whose tracks cannot be read: no tracks to list
    }
    return names;
}
