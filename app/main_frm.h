#pragma once

#include "controller/main_face.h"
#include "skins/skin_background.h"

#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QActionGroup;
class QMenu;
class TEventModule;
class WindowDrag;

// The small skinned main window: its face shows the three time texts and the skin's controls,
// filed by function into the control groups the controller shows, hides and fills. A press
// anywhere drags it; closing it only minimises it unless the program is ending. What its clicks,
// drops and commands do is the controller's and the program's.
class TMainFrm : public QWidget, public TMainFace {
public:
    TMainFrm(const TEventModule& commands, const QString& skinsFolder);
    ~TMainFrm() override;

    // Set by Exit: the next close ends the program, as the window manager's close does.
    bool ExitRequested = false;
    // Closes the window, which minimises it; restores it when it is minimised.
    void MinimizeOrRestore();
    void SetStayOnTop(bool value);
    bool StayOnTop() const;

    // The window moved by delta (the docked window follows).
    std::function<void(QPoint delta)> OnMoved;
    // The right button went up on the window, or it was double-clicked.
    std::function<void(QPoint globalPosition)> OnRightClick;
    std::function<void(QPoint globalPosition)> OnDoubleClick;
    // Files dropped on the window, sorted by name.
    std::function<void(const std::vector<std::string>& files)> OnFilesDropped;
    // The window is asked to close for good; false keeps it (and the program) open.
    std::function<bool()> OnExiting;

    const QString& Text(TTimeText which) const { return Background()->Text(which); }
    void SetText(TTimeText which, const QString& text) override {
        Background()->SetText(which, text);
    }

    QMenu* SongListMenu() const { return songListMenu; }
    void SetSongList(std::vector<TSongListEntry> entries) override;
    const std::vector<TSongListEntry>& SongList() const { return songList; }

    std::function<void()> OnHintsNeeded;
    void ApplyHints() override;
    void ApplySectionLooks() override;
    void RefreshDisplay() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    WindowDrag* drag;
    QMenu* songListMenu;
    // The menu's entries are radio items of this one group, made anew at each refresh.
    QActionGroup* songListGroup;
    std::vector<TSongListEntry> songList;
};
