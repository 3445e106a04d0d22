#pragma once

#include <QFont>
#include <string>
#include <vector>

// What the playlist window needs of the main window. The window never plays anything itself:
// it asks the main window to open a path and the song player to play it.
class TPlaylistHost {
public:
    virtual ~TPlaylistHost() = default;

    // Opens a media file or a CD drive (a drive text of DriveList) in the song player and makes
    // it the current media; false when it cannot (the host has told the user why).
    virtual bool OpenMedia(const std::string& path) = 0;
    // The path or drive text last opened; empty when none.
    virtual std::string CurrentMedia() const = 0;
    // The song player's CD drives, in its order: device paths, then disc images.
    virtual std::vector<std::string> DriveList() const = 0;
    // Sets the open disc's track (1-based); nothing when no disc is open.
    virtual void SelectTrack(int track) = 0;
    // Plays the open song.
    virtual void PlaySong() = 0;
    // The main window's font: each tool bar button is as wide as its caption in it, plus 20.
    virtual QFont MainFont() const = 0;
    // "Mainfrm" (Ctrl+Tab): the main window takes the focus.
    virtual void ActivateMainWindow() = 0;
};

// A main window that opens and plays nothing: for tools that only read and write the lists.
class TIdlePlaylistHost : public TPlaylistHost {
public:
    bool OpenMedia(const std::string&) override { return false; }
    std::string CurrentMedia() const override { return {}; }
    std::vector<std::string> DriveList() const override { return {}; }
    void SelectTrack(int) override {}
    void PlaySong() override {}
    QFont MainFont() const override { return {}; }
    void ActivateMainWindow() override {}
};
