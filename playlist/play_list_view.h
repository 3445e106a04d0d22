#pragma once

#include "playlist_images.h"

#include <QIcon>
#include <QTreeWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QTimer;

// The play list: one row per item in report style, columns "Name" (the display name) and
// "Path" (empty for a CD track), several items selectable. The list keeps the user's order;
// items move as a block (MoveSelectedTo), by dragging within the list or with "&Up" and
// "&Down" of its popup menu "ListItemPopup". Other views and the file manager drop onto it
// through the handlers below.
class TPlayListView : public QTreeWidget {
public:
    explicit TPlayListView(QWidget* parent = nullptr);

    int Count() const { return topLevelItemCount(); }
    QTreeWidgetItem* Item(int index) const { return topLevelItem(index); }
    static QString Name(const QTreeWidgetItem* item);
    static std::string Path(const QTreeWidgetItem* item);
    // Inserts an item at index (appended when index is past the end) with the picture of image
    // (playlist_images.h); returns it.
    QTreeWidgetItem* InsertItem(int index, const QString& name, const std::string& path, int image);
    QTreeWidgetItem* AppendItem(const QString& name, const std::string& path, int image);
    // The selected items in list order.
    std::vector<QTreeWidgetItem*> SelectedInOrder() const;
    // The index of the item under a point of the viewport, or the item count when none is.
    int DropIndexAt(QPoint viewportPoint) const;

    // The selected items, in their order, take the place of the item at index: when the first
    // of them stands before index, index counts one more; copies are inserted there (appended
    // past the end) and selected, then the originals are deleted. Nothing in drive mode.
    void MoveSelectedTo(int index);
    // One place up; one place down.
    void MoveSelectedUp();
    void MoveSelectedDown();
    // Deletes the selected items; nothing in drive mode or while a caption is edited.
    void DeleteSelected();
    void SelectAllItems();

    // The list shows a CD's tracks: the user cannot move or delete them.
    bool DriveMode = false;
    // A drag from the list is under way.
    bool Dragging() const { return dragging; }
    bool Editing() const { return state() == QAbstractItemView::EditingState; }
    QMenu* PopupMenu() const { return popup; }

    // Double click, Enter and "&Play This File": the item to play.
    std::function<void(QTreeWidgetItem* item)> OnPlayItem;
    // Whether a drag from source (another view) may drop here, and the drop at index.
    std::function<bool(QObject* source)> OnAcceptsDragFrom;
    std::function<void(QObject* source, int index)> OnDroppedFrom;
    // Local files dropped from the file manager, sorted as a folder lists them, and the drop's
    // index as DropIndexAt gives it.
    std::function<void(std::vector<std::string> paths, int index)> OnShellFilesDropped;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool Accepts(const QDropEvent& event) const;
    void PlaySelected();
    void ScrollWhileDragging();
    void StopScrolling();

    // Drawn once: every item of a kind shows the same picture.
    std::array<QIcon, PlaylistImageCount> images;
    QMenu* popup;
    QAction* miPlayThisFile;
    QAction* miDelete;
    QTimer* scrollTimer;
    QPoint dragPoint;
    bool dragging = false;
};
