#include "main_frm.h"

#include "actions/program_caption.h"
#include "qvr_base_frm.h"
#include "qvr_window_list.h"

#include <QActionGroup>
#include <QMenu>

TMainFrm::TMainFrm(const TEventModule& commands, const QString& skinsFolder)
    : SkinTarget(this, commands, skinsFolder), songListMenu(new QMenu(this)) {
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QString::fromUtf8(ProgramCaption));
}

TMainFrm::~TMainFrm() = default;

void TMainFrm::SetSongList(std::vector<TSongListEntry> entries) {
    songList = std::move(entries);
    songListMenu->clear();
    auto* group = new QActionGroup(songListMenu);
    for (std::size_t i = 0; i < songList.size(); ++i) {
        QAction* item = songListMenu->addAction(songList[i].Caption);
        item->setCheckable(true);
        item->setChecked(songList[i].Checked);
        group->addAction(item);
        // Chosen after the menu's own event, as the choice rebuilds this menu; the entry is
        // looked up then, in case the list changed meanwhile.
        connect(
            item, &QAction::triggered, this,
            [this, i, caption = songList[i].Caption] {
                if (i < songList.size() && songList[i].Caption == caption && songList[i].Choose) {
                    songList[i].Choose();
                }
            },
            Qt::QueuedConnection);
    }
}

void TMainFrm::ApplyHints() {
    if (OnHintsNeeded) {
        OnHintsNeeded();
    }
}

void TMainFrm::ApplySectionLooks() {
    for (TQvrBaseFrm* window : QvrWindows()) {
        window->ApplySkin();
    }
}

void TMainFrm::RefreshDisplay() {
    if (OnSkinLoaded) {
        OnSkinLoaded();
    }
}
