#pragma once

#include <QIcon>

// The pictures of the registered file tree and the play list, by their fixed indices.
inline constexpr int RootImage = 0;
inline constexpr int FolderImage = 1;
inline constexpr int OpenFolderImage = 2;
inline constexpr int FileImage = 3;
inline constexpr int CdTrackImage = 4;
inline constexpr int PlaylistImageCount = 5;

// The picture of that index, 16 by 16 with a 32 by 32 form for screens of double density,
// drawn flat and rounded in the colours of the shipped skins. Needs a QGuiApplication.
QIcon PlaylistImage(int index);
