#pragma once

#include <QString>

// The pictures of the program's own windows, into skinsFolder: "splash.bmp" for the splash
// window and "imgmsg1.bmp" to "imgmsg3.bmp" for the first-run notices (welcome, recording
// device, choosing what to record).
void PaintProgramPictures(const QString& skinsFolder);
