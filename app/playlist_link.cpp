#include "app/playlist_link.h"

#include "controller/main_controller.h"
#include "playlist/playlist_frm.h"

#include <QWidget>

namespace {

std::optional<std::string> UnlessEmpty(std::string path) {
    return path.empty() ? std::nullopt : std::optional<std::string>(std::move(path));
}

} // namespace

TPlaylistLink::TPlaylistLink(TMainController& controller, QWidget& mainWindow)
    : controller(controller), mainWindow(mainWindow) {}

bool TPlaylistLink::OpenMedia(const std::string& path) {
    // Asked to play as well: a change that has to wait for a dialog still plays once it runs.
    return controller.ChangeSong(path, true);
}

std::string TPlaylistLink::CurrentMedia() const {
    return controller.SongPath();
}

std::vector<std::string> TPlaylistLink::DriveList() const {
    return controller.SongPlayer().DriveList;
}

void TPlaylistLink::SelectTrack(int track) {
    if (controller.SongReady() && controller.SongPlayer().IsDisc()) {
        controller.SongPlayer().GoToTrack(track);
    }
}

void TPlaylistLink::PlaySong() {
    controller.PlaySong();
}

QFont TPlaylistLink::MainFont() const {
    return mainWindow.font();
}

void TPlaylistLink::ActivateMainWindow() {
    mainWindow.raise();
    mainWindow.activateWindow();
}

std::optional<std::string> TPlaylistLink::PreviousSong(const std::string& current) const {
    return playlist != nullptr ? UnlessEmpty(playlist->NeighbourPath(current, true)) : std::nullopt;
}

std::optional<std::string> TPlaylistLink::NextSong(const std::string& current) const {
    return playlist != nullptr ? UnlessEmpty(playlist->NeighbourPath(current, false))
                               : std::nullopt;
}

std::optional<std::string> TPlaylistLink::FirstSong() const {
    return playlist != nullptr ? UnlessEmpty(playlist->FirstPath()) : std::nullopt;
}

std::vector<std::string> TPlaylistLink::Songs() const {
    std::vector<std::string> songs;
    if (playlist == nullptr) {
        return songs;
    }
    // A disc's tracks have no path: the song list shows them from the disc itself.
    for (int index = 0; index < playlist->PlayListCount(); ++index) {
        if (std::string path = playlist->PlayListPath(index); !path.empty()) {
            songs.push_back(std::move(path));
        }
    }
    return songs;
}

void TPlaylistLink::RefreshSelectedDriveEntry() {
    if (playlist != nullptr) {
        playlist->RefreshDriveTracks();
    }
}

bool TPlaylistLink::Busy() const {
    return playlist != nullptr && playlist->Busy();
}
