#include "controller/song_list.h"

#include <algorithm>

void TSongList::Add(const std::string& song) {
    if (std::find(songs.begin(), songs.end(), song) == songs.end()) {
        songs.push_back(song);
    }
}

std::optional<std::string> TSongList::PreviousSong(const std::string& current) const {
    const auto at = std::find(songs.begin(), songs.end(), current);
    if (at == songs.end() || at == songs.begin()) {
        return std::nullopt;
    }
    return *(at - 1);
}

std::optional<std::string> TSongList::NextSong(const std::string& current) const {
    const auto at = std::find(songs.begin(), songs.end(), current);
    if (at == songs.end() || at + 1 == songs.end()) {
        return std::nullopt;
    }
    return *(at + 1);
}

std::optional<std::string> TSongList::FirstSong() const {
    if (songs.empty()) {
        return std::nullopt;
    }
    return songs.front();
}
