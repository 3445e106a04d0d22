#pragma once

#include <QString>
#include <string>
#include <vector>

// The names a disc's audio tracks have in its root folder, as Windows lists a CD: "Track01.cda",
// "Track02.cda", ... by track number, from the table of contents of drive (a device or a .cue
// image). None when the drive holds no readable disc.
std::vector<QString> DriveTrackNames(const std::string& drive);
