#pragma once

#include <optional>
#include <string>
#include <vector>

// What the controller needs of the playlist: which song comes before or after the one open,
// the songs for the song list menu, and a word when a disc was put in or taken out.
class TSongListLink {
public:
    virtual ~TSongListLink() = default;

    // The song before or after current in the list; nothing at either end or when current is
    // not in the list.
    virtual std::optional<std::string> PreviousSong(const std::string& current) const = 0;
    virtual std::optional<std::string> NextSong(const std::string& current) const = 0;
    // Where the list starts again after its last song; nothing when it is empty.
    virtual std::optional<std::string> FirstSong() const = 0;
    virtual std::vector<std::string> Songs() const = 0;
    // The drive entry the user has selected should show the disc now in the drive.
    virtual void RefreshSelectedDriveEntry() = 0;
    // The playlist is in the middle of something that a refresh would disturb.
    virtual bool Busy() const = 0;
};
