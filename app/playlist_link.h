#pragma once

#include "controller/song_list.h"
#include "playlist/playlist_host.h"

class QWidget;
class TMainController;
class TPlaylistFrm;

// Joins the playlist window and the controller: the window opens and plays songs through the
// controller's one song change, and the controller steps through the window's play list.
class TPlaylistLink : public TPlaylistHost, public TSongListLink {
public:
    TPlaylistLink(TMainController& controller, QWidget& mainWindow);
    // Until the window is set, the list is empty.
    void SetPlaylist(TPlaylistFrm* window) { playlist = window; }

    // --- TPlaylistHost
    bool OpenMedia(const std::string& path) override;
    std::string CurrentMedia() const override;
    std::vector<std::string> DriveList() const override;
    void SelectTrack(int track) override;
    void PlaySong() override;
    QFont MainFont() const override;
    void ActivateMainWindow() override;

    // --- TSongListLink
    std::optional<std::string> PreviousSong(const std::string& current) const override;
    std::optional<std::string> NextSong(const std::string& current) const override;
    std::optional<std::string> FirstSong() const override;
    std::vector<std::string> Songs() const override;
    void RefreshSelectedDriveEntry() override;
    bool Busy() const override;

private:
    TMainController& controller;
    QWidget& mainWindow;
    TPlaylistFrm* playlist = nullptr;
};
