#pragma once

#include <QRect>
#include <QString>
#include <string>
#include <vector>

class ProfileFile;

// The playlist window's keys in the settings file, section "PlaylistFrm".
inline const QString PlaylistSection = QStringLiteral("PlaylistFrm");
// The most entries read back, whatever "FileCount" says.
inline constexpr int MaxPlayListEntries = 100000;
inline constexpr int DefaultTreeWidth = 200;

struct TPlayListEntry {
    QString Name;
    std::string Path;
    bool operator==(const TPlayListEntry&) const = default;
};

// The file play list as saved: put aside while a CD's tracks were shown (Preserved), or shown.
struct TSavedPlayList {
    bool Preserved = false;
    std::vector<TPlayListEntry> Entries;
    int TreeWidth = DefaultTreeWidth;
};

// "IsPreservedPlayList", entries 0 to "FileCount" - 1 of "Files[n]" and "Names[n]" (at most
// MaxPlayListEntries), "FileTreeView.Width". An entry is kept only when its path names an
// existing file; an empty name becomes the path's file name part.
TSavedPlayList ReadPlayList(const ProfileFile& file);
// Writes the same keys; keys of higher numbers from a longer list stay, "FileCount" bounds them.
void WritePlayList(ProfileFile& file, const TSavedPlayList& list);

// "Left", "Top", "Width" and "Height": 640 by 480 in the middle of screen by default, and
// always inside screen, no smaller than MinWindowSize on a side.
inline constexpr int MinWindowSize = 100;
QRect ReadWindowBounds(const ProfileFile& file, const QRect& screen);
void WriteWindowBounds(ProfileFile& file, const QRect& bounds);

// "OpenDialog.FileName": where the open dialog starts.
QString ReadOpenDialogFileName(const ProfileFile& file);
void WriteOpenDialogFileName(ProfileFile& file, const QString& fileName);
