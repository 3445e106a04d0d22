#pragma once

#include "skins/skin_background.h"
#include "skins/skin_target.h"

#include <QString>
#include <functional>
#include <vector>

// One entry of the song list menu: a track of the disc or a song of the list.
struct TSongListEntry {
    QString Caption;
    bool Checked = false;
    std::function<void()> Choose;
};

// What the controller drives of the main window: the skin's controls (through the skin target),
// the three time texts and the song list menu. The window itself is the skin target's main
// window; the program's shell implements the rest.
class TMainFace : public SkinTarget {
public:
    using SkinTarget::SkinTarget;

    // Repaints only the text's own small area.
    virtual void SetText(TTimeText which, const QString& text) = 0;
    // Rebuilt whenever the display is refreshed; empty without a song.
    virtual void SetSongList(std::vector<TSongListEntry> entries) = 0;

    // A skin was loaded: the controller fills and shows its groups for the current state.
    std::function<void()> OnSkinLoaded;
};
