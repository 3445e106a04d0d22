#pragma once

#include "skins/skin_background.h"
#include "skins/skin_target.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QMenu;
class TEventModule;

// One entry of the song list menu: a track of the disc or a song of the list.
struct TSongListEntry {
    QString Caption;
    bool Checked = false;
    std::function<void()> Choose;
};

// The small skinned main window: its face shows the three time texts and the skin's controls,
// filed by function into the control groups the controller shows, hides and fills. What the
// commands do is the controller's; the window tells it when a skin was loaded.
class TMainFrm : public QWidget, public SkinTarget {
public:
    TMainFrm(const TEventModule& commands, const QString& skinsFolder);
    ~TMainFrm() override;

    const QString& Text(TTimeText which) const { return Background()->Text(which); }
    // Repaints only the text's own small area.
    void SetText(TTimeText which, const QString& text) { Background()->SetText(which, text); }

    // Rebuilt whenever the display is refreshed; empty without a song.
    QMenu* SongListMenu() const { return songListMenu; }
    void SetSongList(std::vector<TSongListEntry> entries);
    const std::vector<TSongListEntry>& SongList() const { return songList; }

    // A skin was loaded: the controller fills and shows its groups for the current state, and
    // the open cassette and card windows take the skin's looks.
    std::function<void()> OnSkinLoaded;
    std::function<void()> OnHintsNeeded;
    void ApplyHints() override;
    void ApplySectionLooks() override;
    void RefreshDisplay() override;

private:
    QMenu* songListMenu;
    std::vector<TSongListEntry> songList;
};
