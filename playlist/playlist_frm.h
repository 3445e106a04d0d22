#pragma once

#include "add_path.h"
#include "playlist_settings.h"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class QTreeWidgetItem;
class TPlayListView;
class TPlaylistHost;
class TRegisteredFileTree;
struct SkinParameters;

// The tree file of the data folder.
inline constexpr const char* TreeFileName = "quavrel_playlist.ini";

// The playlist window "PLAY LIST": the registered file tree on the left, the play list on the
// right, and above them a tool bar that shows either the file play list (the file button) or
// the audio tracks of one CD drive (one button per drive). While a drive's tracks are shown the
// file play list is kept aside (preserved) and comes back unchanged with the file button.
//
// The window is made at start-up and lives as long as the program. Its lists are loaded at
// start-up (LoadLists) or when first needed: every public operation first completes the loading
// still pending. They are saved each time the window is hidden, and when it is destroyed while
// shown.
class TPlaylistFrm : public QWidget {
public:
    // dataFolder holds the settings file (section "PlaylistFrm") and the tree file.
    TPlaylistFrm(TPlaylistHost& host, std::string dataFolder, QWidget* parent = nullptr);
    ~TPlaylistFrm() override;

    // Loads the play list and the tree (at start-up, before the main window is first shown).
    void LoadLists();

    // The number of items of the list (in drive mode, the disc's tracks).
    int PlayListCount();
    // The path of the item at index (empty for a CD track or an index out of the list).
    std::string PlayListPath(int index);
    QString PlayListName(int index);
    // The path of the first item; empty when the list is empty.
    std::string FirstPath();
    // The path of the item just before (previous) or after the item whose path is path
    // (compared without regard to case); empty when there is no such item or neighbour.
    std::string NeighbourPath(const std::string& path, bool previous);
    // The 1-based position of the item whose path is path; 1 when none is.
    int PositionOf(const std::string& path);
    // Adds a file, a folder's files, or selects a CD track (a path beginning with a drive
    // text), to the play list or the tree; returns the added items or nodes as result asks
    // (nothing, all, the first, the last). A folder nested deeper than 5 levels raises
    // EPlaylistError after what was found before it was added.
    std::vector<QTreeWidgetItem*> AddPath(const std::string& path, TAddTarget target,
                                          TAddResult result = TAddResult::None,
                                          TTreePlace place = TTreePlace::AtPointer);
    // Completes loading, follows the main window's current media and empties the list.
    void ClearForDrop();
    // Writes the play list keys (the preserved list while a drive's tracks are shown).
    void SavePlayList();
    // Writes what hiding the window writes, shown or not: at Exit and at a logout.
    void SaveLists();
    // Plays one item of the list: a disc's track, or a file through the main window.
    void PlayItem(QTreeWidgetItem* item);
    // A node of the tree dragged onto the list at index (past the end: appended), in file mode:
    // a file node inserts one item, a folder node every file node below it, depth first in
    // tree order; the root inserts nothing.
    void InsertTreeNode(QTreeWidgetItem* node, int index);
    // In drive mode, lists the tracks of the disc now in the drive.
    void RefreshDriveTracks();
    // A drag from either view, a caption edit in the list or a popup menu of the window is
    // under way.
    bool Busy() const;

    // Presses the file button (file mode) or the button of drive at driveIndex in the tool
    // bar's drive list (drive mode); the tool bar is built first when it is pending.
    void PressFileButton();
    void PressDriveButton(std::size_t driveIndex);
    bool InDriveMode() const { return driveMode; }
    const std::vector<std::string>& DriveTexts() const { return driveTexts; }

    // The window's frame (tool bar and labels) takes the skin's main background colour and its
    // labels the colour of the skin's time display; the two views keep the desktop's colours.
    // An inactive skin gives the desktop's colours back.
    void ApplySkin(const SkinParameters& skin);

    // What the window shows the user without waiting (a damaged tree file); by default a
    // message box that does not block.
    std::function<void(const QString& message)> ShowMessage;

    TPlayListView* PlayListView() const { return playListView; }
    TRegisteredFileTree* FileTreeView() const { return fileTreeView; }
    QToolBar* ToolBar() const { return toolBar; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CompleteLoading();
    void LoadPlayList();
    void LoadTree();
    void RebuildToolBar();
    void Synchronise();
    void FillDriveTracks();
    // Saves the play list, the tree and the window's bounds.
    void SaveOnHide();
    std::string SettingsPath() const;
    std::string TreePath() const;
    std::vector<QTreeWidgetItem*> AddPathAt(const std::string& path, TAddTarget target,
                                            TAddResult result, QTreeWidgetItem* treeParent,
                                            int listIndex);
    void ApplyTreeWidth();

    TPlaylistHost& host;
    std::string dataFolder;
    QLabel* lbRegisteredFiles;
    QLabel* lbPlayFileList;
    QToolBar* toolBar;
    QButtonGroup* toolButtons;
    QSplitter* splitter;
    TRegisteredFileTree* fileTreeView;
    TPlayListView* playListView;
    QMenu* popupMenu;

    std::vector<std::string> driveTexts; // of the tool bar's drive buttons, in order
    bool driveMode = false;
    std::size_t pressedDrive = 0;
    // The file play list while a drive's tracks are shown.
    bool preserved = false;
    std::vector<TPlayListEntry> preservedList;
    int treeWidth = DefaultTreeWidth; // follows the splitter
    QString openDialogFileName;

    bool playListPending = true;
    bool treePending = true;
    bool toolBarPending = true;
};
