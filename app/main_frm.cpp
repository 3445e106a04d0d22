#include "app/main_frm.h"

#include "actions/key_polling.h"
#include "actions/program_caption.h"
#include "platform/song_paths.h"
#include "cassettes/qvr_base_frm.h"
#include "cassettes/qvr_window_list.h"
#include "platform/tool_window.h"
#include "platform/window_drag.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>

namespace {

// Longer names are not file names anyone dropped.
constexpr std::size_t MaxDroppedNameLength = 512;

} // namespace

TMainFrm::TMainFrm(const TEventModule& commands, const QString& skinsFolder)
    : TMainFace(this, commands, skinsFolder), drag(new WindowDrag(this)),
      songListMenu(new QMenu(this)), songListGroup(new QActionGroup(songListMenu)) {
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QString::fromUtf8(ProgramCaption));
    setAcceptDrops(true);
    // The key that chose a song (or closed the menu) must not go on to fire its binding once
    // the key polling runs again.
    connect(songListMenu, &QMenu::aboutToHide, this, [] { SwallowHeldKeys(); });
}

void TMainFrm::MinimizeOrRestore() {
    if (!isMinimized()) {
        close();
        return;
    }
    showNormal();
    raise();
    activateWindow();
}

void TMainFrm::SetStayOnTop(bool value) {
    ::SetStayOnTop(this, value);
}

bool TMainFrm::StayOnTop() const {
    return StaysOnTop(this);
}

void TMainFrm::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        drag->Start(event->globalPosition().toPoint());
    }
    QWidget::mousePressEvent(event);
}

void TMainFrm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && OnRightClick) {
        OnRightClick(event->globalPosition().toPoint());
    }
    QWidget::mouseReleaseEvent(event);
}

void TMainFrm::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnDoubleClick) {
        OnDoubleClick(event->globalPosition().toPoint());
    }
}

void TMainFrm::moveEvent(QMoveEvent* event) {
    if (OnMoved && isVisible()) {
        OnMoved(event->pos() - event->oldPos());
    }
}

void TMainFrm::closeEvent(QCloseEvent* event) {
    // The window manager's close (its button, the task bar) ends the program like Exit; the
    // program's own close, the Minimize command, only minimises it: it goes on with its keys.
    if (!ExitRequested && !event->spontaneous()) {
        event->ignore();
        showMinimized();
        return;
    }
    ExitRequested = true;
    if (OnExiting && !OnExiting()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TMainFrm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TMainFrm::dropEvent(QDropEvent* event) {
    std::vector<std::string> files;
    for (const QUrl& url : event->mimeData()->urls()) {
        std::string file = LocalFileOf(url);
        if (!file.empty() && file.size() <= MaxDroppedNameLength) {
            files.push_back(std::move(file));
        }
    }
    std::sort(files.begin(), files.end());
    event->acceptProposedAction();
    if (!files.empty() && OnFilesDropped) {
        OnFilesDropped(files);
    }
}

TMainFrm::~TMainFrm() = default;

void TMainFrm::SetSongList(std::vector<TSongListEntry> entries) {
    songList = std::move(entries);
    songListMenu->clear();
    for (std::size_t i = 0; i < songList.size(); ++i) {
        QAction* item = songListMenu->addAction(songList[i].Caption);
        item->setCheckable(true);
        item->setChecked(songList[i].Checked);
        songListGroup->addAction(item);
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
