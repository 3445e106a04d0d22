#pragma once

#include "cassettes/qvr_base_frm.h"
#include "cassettes/qvr_window_list.h"
#include "controller/main_face.h"

#include <QWidget>
#include <utility>
#include <vector>

// A bare main window for the controller: the skin's controls and time texts, no shell.
class TFakeFace : public QWidget, public TMainFace {
public:
    TFakeFace(const TEventModule& commands, const QString& skinsFolder)
        : TMainFace(this, commands, skinsFolder) {}

    const QString& Text(TTimeText which) const { return Background()->Text(which); }
    void SetText(TTimeText which, const QString& text) override {
        Background()->SetText(which, text);
    }
    void SetSongList(std::vector<TSongListEntry> entries) override {
        SongList = std::move(entries);
    }
    // As the program's main window: open windows take the new skin's looks.
    void ApplySectionLooks() override {
        for (TQvrBaseFrm* window : QvrWindows()) {
            window->ApplySkin();
        }
    }
    void RefreshDisplay() override {
        if (OnSkinLoaded) {
            OnSkinLoaded();
        }
    }

    std::vector<TSongListEntry> SongList;
};
