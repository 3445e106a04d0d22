#pragma once

#include "dialogs/quavrel_dialog_form.h"

#include <functional>
#include <vector>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolButton;
class TCassetteHost;
class TQvrBaseFrm;

// "Cassette Manager": every cassette and memory-card window in the order of the window list,
// then "(Eject)". The user picks the window to dock (or none), reorders the windows by
// dragging or sorting, renames or deletes them, and arranges them on the screen.
class TSelectFrm : public TQuavrelDialogForm {
    Q_OBJECT
public:
    // periodicRefresh: one run of the controller's periodic refresh, which releases the
    // windows queued for closing (may be empty where nothing is ever queued).
    TSelectFrm(TCassetteHost& host, std::function<void()> periodicRefresh);

    // Rebuilds the list from windows: each window's title, or for an untitled one "Recorded
    // Data %d" / "Repeat Section %d" numbered per kind in list order; then the eject entry. The
    // docked window's entry is selected, else the eject entry.
    void FillList(const std::vector<TQvrBaseFrm*>& windows);
    // FillList with the window list, less the windows queued for closing.
    void RefreshList();
    // Shows the list modally without waiting, staying on top as the main window does. Closed
    // with OK, chosen hears the selected entry's window, nullptr for the eject entry; it hears
    // nothing on Cancel, nor when the selected window was released meanwhile. The keys held as
    // the list closes (Return or Escape) fire nothing until let go.
    void Choose(std::function<void(TQvrBaseFrm* window)> chosen);
    // The window of the selected entry; nullptr for none and for the eject entry.
    TQvrBaseFrm* SelectedWindow() const;
    // The window of an entry; nullptr for the eject entry and for a window released meanwhile.
    TQvrBaseFrm* WindowAt(int index) const;
    // The window list takes the list's order; each window's CreateIndex becomes its place
    // counted from 1, so the order lasts with the song's data.
    void ApplyOrder();

    // Dragging an entry over the entry at target (-1: none there): whether a drop would be
    // taken. The entry there becomes the selection.
    bool ListBox1DragOver(int target);
    // Dropping at target (the count when below the last entry): the dragged entry moves there.
    void ListBox1DragDrop(int target);
    // A click on the list (by the mouse or the keyboard, not a selection made by code): OK is
    // enabled while an entry is selected, and the selected entry is the one a drag moves.
    void ListBox1Click();
    int DragSourceIndex() const { return dragSourceIndex; }

    void SortByRecordedPosition();
    void SortAlphabetically();
    void Tile();
    // The popup menu's commands, on the selected entry.
    void SetClick();
    void RenameClick();
    void DeleteClick();
    // Enables the popup menu's items for the selected entry.
    void PopupMenuPopup();

    QLabel* Label1;
    QListWidget* ListBox1;
    QToolButton* sbTile;
    QLabel* Label2;
    QPushButton* btOK;
    QPushButton* btCancel;
    QMenuBar* MainMenu1;
    QMenu* miSort;
    QAction* miSortByPosition;
    QAction* miSortAlphabetically;
    QMenu* miTileMenu;
    QAction* miTile;
    QMenu* PopupMenu1;
    QAction* miSet;
    QAction* miRename;
    QAction* miDelete;

private:
    void PopupAt(QPoint listPoint);
    // The list closed with result: the choice goes to the handler Choose was given.
    void Closed(int result);
    void SortBy(const std::function<bool(const TQvrBaseFrm*, const TQvrBaseFrm*)>& less);
    std::vector<TQvrBaseFrm*> ListedWindows() const;

    TCassetteHost& host;
    std::function<void()> periodicRefresh;
    std::function<void(TQvrBaseFrm* window)> chosen;
    int dragSourceIndex = -1;
};
