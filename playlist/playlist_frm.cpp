#include "playlist_frm.h"

#include "actions/key_polling.h"
#include "actions/message_format.h"
#include "actions/messages.h"
#include "drive_tracks.h"
#include "folder_scan.h"
#include "platform/application_error.h"
#include "platform/key_state.h"
#include "platform/profile_file.h"
#include "platform/virtual_keys.h"
#include "play_list_view.h"
#include "playlist_host.h"
#include "playlist_images.h"
#include "registered_file_tree.h"
#include "skins/skin_parameters.h"
#include "skins/skin_values.h"
#include "storage/settings_file.h"
#include "tree_file.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>

namespace {

// Added to the caption's width in the main window's font to give a tool bar button's width.
constexpr int ButtonMargin = 20;
// How far apart in lightness a label's colour and the frame's must be to be read.
constexpr int ReadableLightness = 96;

// The labels stand on the frame: in the colour of the time text where it reads there (the time
// text stands on a panel of its own, often dark where the frame is light), else black or white.
QColor LabelColor(const QColor& background, int timeColor) {
    if (timeColor >= 0) {
        const QColor time = ColorOfColorRef(timeColor);
        if (std::abs(time.lightness() - background.lightness()) >= ReadableLightness) {
            return time;
        }
    }
    return background.lightness() >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}

// An error of a command run from an event cannot go back through the event loop.
void Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        HandleApplicationError(error);
    }
}

bool SamePath(const std::string& a, const std::string& b) {
    return a == b ||
           QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

bool EscapeHeld() {
    return CurrentKeyState().IsDown(VkEscape);
}

// Where the mouse pointer points into view's viewport, when it does.
std::optional<QPoint> PointerIn(const QAbstractItemView& view) {
    const QPoint point = view.viewport()->mapFromGlobal(QCursor::pos());
    if (!view.viewport()->isVisible() || !view.viewport()->rect().contains(point)) {
        return std::nullopt;
    }
    return point;
}

// A folder's files into the play list, from an index on.
class TListScan : public TFolderScanTarget {
public:
    TListScan(TPlayListView& list, int index) : list(list), index(index) {}
    void EnterFolder(const std::string&) override {}
    void AddFile(const std::string& path) override {
        added.push_back(
            list.InsertItem(index++, QString::fromStdString(FileNamePart(path)), path, FileImage));
    }
    void LeaveFolder() override {}

    std::vector<QTreeWidgetItem*> added;

private:
    TPlayListView& list;
    int index;
};

// A folder into the tree: a folder node under the selected node for each folder, file nodes in
// it; the selection follows the folder being scanned.
class TTreeScan : public TFolderScanTarget {
public:
    explicit TTreeScan(TRegisteredFileTree& tree) : tree(tree) {}
    void EnterFolder(const std::string& folder) override {
        const std::string trimmed =
            folder.ends_with('/') ? folder.substr(0, folder.size() - 1) : folder;
        QTreeWidgetItem* node = tree.AddFolderNode(tree.SelectedNode(), false,
                                                   QString::fromStdString(FileNamePart(trimmed)));
        added.push_back(node);
        folders.push_back(node);
        tree.SelectNode(node);
    }
    void AddFile(const std::string& path) override {
        added.push_back(tree.AddFileNode(folders.back(), path, false));
    }
    void LeaveFolder() override {
        QTreeWidgetItem* folder = folders.back();
        folders.pop_back();
        if (folder->parent() != nullptr) {
            tree.SelectNode(folder->parent());
        }
    }

    std::vector<QTreeWidgetItem*> added;

private:
    TRegisteredFileTree& tree;
    std::vector<QTreeWidgetItem*> folders; // being scanned, the innermost last
};

std::vector<QTreeWidgetItem*> AsResult(std::vector<QTreeWidgetItem*> added, TAddResult result) {
    if (added.empty() || result == TAddResult::None) {
        return {};
    }
    if (result == TAddResult::First) {
        return {added.front()};
    }
    if (result == TAddResult::Last) {
        return {added.back()};
    }
    return added;
}

} // namespace

TPlaylistFrm::TPlaylistFrm(TPlaylistHost& host, std::string dataFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), host(host), dataFolder(std::move(dataFolder)),
      lbRegisteredFiles(new QLabel(QStringLiteral("Registered files"), this)),
      lbPlayFileList(new QLabel(QStringLiteral("Play File List   "), this)),
      toolBar(new QToolBar(this)), toolButtons(new QButtonGroup(this)),
      splitter(new QSplitter(Qt::Horizontal, this)),
      fileTreeView(new TRegisteredFileTree(splitter)), playListView(new TPlayListView(splitter)),
      popupMenu(new QMenu(this)) {
    setObjectName(QStringLiteral("PlaylistFrm"));
    setWindowTitle(QStringLiteral("PLAY LIST"));
    lbRegisteredFiles->setObjectName(QStringLiteral("lbRegisteredFiles"));
    lbPlayFileList->setObjectName(QStringLiteral("lbPlayFileList"));
    lbPlayFileList->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolButtons->setExclusive(true);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(1, 1);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar, 0, 0, 1, 2);
    layout->addWidget(lbRegisteredFiles, 1, 0);
    layout->addWidget(lbPlayFileList, 1, 1);
    layout->addWidget(splitter, 2, 0, 1, 2);
    layout->setRowStretch(2, 1);

    popupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* miMainfrm = popupMenu->addAction(QStringLiteral("Mainfrm"));
    miMainfrm->setObjectName(QStringLiteral("miMainfrm"));
    miMainfrm->setShortcut(Qt::CTRL | Qt::Key_Tab);
    miMainfrm->setShortcutContext(Qt::WindowShortcut);
    addAction(miMainfrm);
    connect(miMainfrm, &QAction::triggered, this, [this] { this->host.ActivateMainWindow(); });
    connect(popupMenu, &QMenu::aboutToHide, this, [] { SwallowHeldKeys(); });
    connect(splitter, &QSplitter::splitterMoved, this,
            [this] { treeWidth = splitter->sizes().front(); });

    ShowMessage = [this](const QString& message) {
        auto* box =
            new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };

    playListView->OnPlayItem = [this](QTreeWidgetItem* item) { Guarded([&] { PlayItem(item); }); };
    playListView->OnAcceptsDragFrom = [this](QObject* source) { return source == fileTreeView; };
    playListView->OnDroppedFrom = [this](QObject*, int index) {
        Guarded([&] { InsertTreeNode(fileTreeView->DraggedNode(), index); });
    };
    playListView->OnShellFilesDropped = [this](std::vector<std::string> paths, int index) {
        Guarded([&] {
            for (const std::string& path : paths) {
                AddPathAt(path, TAddTarget::PlayList, TAddResult::None, nullptr, index);
            }
        });
    };
    fileTreeView->PlayListView = playListView;
    fileTreeView->OnFileNodeDoubleClicked = [this](QTreeWidgetItem* node) {
        Guarded([&] { InsertTreeNode(node, std::numeric_limits<int>::max()); });
    };
    fileTreeView->OnShellFilesDropped = [this](std::vector<std::string> paths,
                                               QTreeWidgetItem* at) {
        Guarded([&] {
            for (const std::string& path : paths) {
                AddPathAt(path, TAddTarget::Tree, TAddResult::None, at, playListView->Count());
            }
        });
    };
    fileTreeView->OnPlayListItemsDropped = [this](QTreeWidgetItem* at) {
        Guarded([&] {
            QTreeWidgetItem* parent = at != nullptr ? at : fileTreeView->Root();
            for (QTreeWidgetItem* item : playListView->SelectedInOrder()) {
                fileTreeView->AddFileNode(parent, TPlayListView::Path(item), true,
                                          TPlayListView::Name(item));
            }
        });
    };

    openDialogFileName = ReadOpenDialogFileName(ProfileFile(SettingsPath()));
    QFileDialog& openDialog = fileTreeView->OpenDialog();
    if (!openDialogFileName.isEmpty()) {
        openDialog.setDirectory(QFileInfo(openDialogFileName).absolutePath());
    }
    connect(&openDialog, &QFileDialog::filesSelected, this, [this](const QStringList& files) {
        if (!files.isEmpty()) {
            openDialogFileName = files.front();
        }
    });
}

TPlaylistFrm::~TPlaylistFrm() {
    Guarded([this] {
        if (isVisible()) {
            SaveOnHide();
        }
        ProfileFile settings(SettingsPath());
        WriteOpenDialogFileName(settings, openDialogFileName);
        settings.Save();
    });
}

std::string TPlaylistFrm::SettingsPath() const {
    return dataFolder + "/" + SettingsFileName;
}

std::string TPlaylistFrm::TreePath() const {
    return dataFolder + "/" + TreeFileName;
}

void TPlaylistFrm::LoadLists() {
    LoadPlayList();
    LoadTree();
}

void TPlaylistFrm::CompleteLoading() {
    if (toolBarPending) {
        RebuildToolBar();
    }
    if (playListPending) {
        LoadPlayList();
    }
    if (treePending) {
        LoadTree();
    }
}

void TPlaylistFrm::LoadPlayList() {
    playListPending = false;
    playListView->clear();
    TSavedPlayList saved = ReadPlayList(ProfileFile(SettingsPath()));
    preserved = saved.Preserved;
    preservedList.clear();
    if (preserved) {
        preservedList = std::move(saved.Entries);
    } else {
        for (const TPlayListEntry& entry : saved.Entries) {
            playListView->AppendItem(entry.Name, entry.Path, FileImage);
        }
    }
    treeWidth = saved.TreeWidth;
    ApplyTreeWidth();
}

void TPlaylistFrm::LoadTree() {
    treePending = false;
    try {
        fileTreeView->LoadTree(TreePath());
    } catch (const Exception& error) {
        // A tree file damaged at a line, or one that cannot be read: the tree keeps what was
        // read, and the user learns why the rest is missing without the start-up waiting.
        ShowMessage(QString::fromStdString(error.Message()));
    }
}

void TPlaylistFrm::RebuildToolBar() {
    toolBarPending = false;
    const std::string pressed = driveMode ? driveTexts[pressedDrive] : std::string();
    // Removing an action leaves it and its button alive: both go (the button with its action).
    for (QAction* action : toolBar->actions()) {
        toolBar->removeAction(action);
        delete action;
    }
    driveTexts = host.DriveList();
    const QFont font = host.MainFont();
    const QFontMetrics metrics(font);
    const auto addButton = [&](const QString& caption, int image, int id) {
        auto* button = new QToolButton(toolBar);
        button->setText(caption);
        button->setIcon(PlaylistImage(image));
        // The picture above the caption, so that the caption has the button's whole width.
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setFont(font);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFixedWidth(metrics.horizontalAdvance(caption) + ButtonMargin);
        toolButtons->addButton(button, id);
        toolBar->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, id] {
            Guarded([&] {
                if (id == 0) {
                    PressFileButton();
                } else {
                    PressDriveButton(static_cast<std::size_t>(id - 1));
                }
            });
        });
    };
    addButton(SPlayFile, FileImage, 0);
    for (std::size_t i = 0; i < driveTexts.size(); ++i) {
        addButton(FormatMessage(SPlayCD, {driveTexts[i]}), CdTrackImage, static_cast<int>(i + 1));
    }
    const auto stillThere = std::find(driveTexts.begin(), driveTexts.end(), pressed);
    if (driveMode && stillThere != driveTexts.end()) {
        pressedDrive = static_cast<std::size_t>(stillThere - driveTexts.begin());
        toolButtons->button(static_cast<int>(pressedDrive + 1))->setChecked(true);
    } else if (driveMode) {
        PressFileButton();
    } else {
        toolButtons->button(0)->setChecked(true);
    }
}

void TPlaylistFrm::PressFileButton() {
    if (toolBarPending) {
        RebuildToolBar();
    }
    toolButtons->button(0)->setChecked(true);
    driveMode = false;
    playListView->DriveMode = false;
    if (preserved) {
        playListView->clear();
        for (const TPlayListEntry& entry : preservedList) {
            playListView->AppendItem(entry.Name, entry.Path, FileImage);
        }
        preservedList.clear();
        preserved = false;
    }
}

void TPlaylistFrm::PressDriveButton(std::size_t driveIndex) {
    if (toolBarPending) {
        RebuildToolBar();
    }
    if (driveIndex >= driveTexts.size()) {
        return;
    }
    toolButtons->button(static_cast<int>(driveIndex + 1))->setChecked(true);
    if (!preserved) {
        preservedList.clear();
        for (int i = 0; i < playListView->Count(); ++i) {
            const QTreeWidgetItem* item = playListView->Item(i);
            preservedList.push_back({TPlayListView::Name(item), TPlayListView::Path(item)});
        }
        preserved = true;
    }
    driveMode = true;
    pressedDrive = driveIndex;
    playListView->DriveMode = true;
    FillDriveTracks();
}

void TPlaylistFrm::FillDriveTracks() {
    playListView->clear();
    for (const QString& name : DriveTrackNames(driveTexts[pressedDrive])) {
        playListView->AppendItem(name, {}, CdTrackImage);
    }
}

void TPlaylistFrm::RefreshDriveTracks() {
    CompleteLoading();
    if (driveMode) {
        FillDriveTracks();
    }
}

void TPlaylistFrm::Synchronise() {
    // A drag or an edit under way acts on the selection (a song that ends meanwhile asks for its
    // neighbour): the window follows the song the next time once it is over.
    if (Busy()) {
        return;
    }
    const std::string current = host.CurrentMedia();
    const auto drive = std::find(driveTexts.begin(), driveTexts.end(), current);
    if (!current.empty() && drive != driveTexts.end()) {
        PressDriveButton(static_cast<std::size_t>(drive - driveTexts.begin()));
        return;
    }
    PressFileButton();
    playListView->clearSelection();
    for (int i = 0; i < playListView->Count(); ++i) {
        QTreeWidgetItem* item = playListView->Item(i);
        if (SamePath(TPlayListView::Path(item), current)) {
            item->setSelected(true);
            playListView->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
            playListView->scrollToItem(item);
            break;
        }
    }
}

int TPlaylistFrm::PlayListCount() {
    CompleteLoading();
    return playListView->Count();
}

std::string TPlaylistFrm::PlayListPath(int index) {
    CompleteLoading();
    const QTreeWidgetItem* item = playListView->Item(index);
    return item != nullptr ? TPlayListView::Path(item) : std::string();
}

QString TPlaylistFrm::PlayListName(int index) {
    CompleteLoading();
    const QTreeWidgetItem* item = playListView->Item(index);
    return item != nullptr ? TPlayListView::Name(item) : QString();
}

std::string TPlaylistFrm::FirstPath() {
    return PlayListPath(0);
}

std::string TPlaylistFrm::NeighbourPath(const std::string& path, bool previous) {
    CompleteLoading();
    Synchronise();
    for (int i = 0; i < playListView->Count(); ++i) {
        if (SamePath(TPlayListView::Path(playListView->Item(i)), path)) {
            const QTreeWidgetItem* neighbour = playListView->Item(previous ? i - 1 : i + 1);
            return neighbour != nullptr ? TPlayListView::Path(neighbour) : std::string();
        }
    }
    return {};
}

int TPlaylistFrm::PositionOf(const std::string& path) {
    CompleteLoading();
    for (int i = 0; i < playListView->Count(); ++i) {
        if (SamePath(TPlayListView::Path(playListView->Item(i)), path)) {
            return i + 1;
        }
    }
    return 1;
}

std::vector<QTreeWidgetItem*> TPlaylistFrm::AddPath(const std::string& path, TAddTarget target,
                                                    TAddResult result, TTreePlace place) {
    CompleteLoading();
    QTreeWidgetItem* treeParent = fileTreeView->Root();
    if (place == TTreePlace::AtPointer) {
        const std::optional<QPoint> point = PointerIn(*fileTreeView);
        treeParent = point ? fileTreeView->NodeAt(*point) : nullptr;
    }
    const std::optional<QPoint> listPoint = PointerIn(*playListView);
    const int listIndex = listPoint ? playListView->DropIndexAt(*listPoint) : playListView->Count();
    return AddPathAt(path, target, result, treeParent, listIndex);
}

std::vector<QTreeWidgetItem*> TPlaylistFrm::AddPathAt(const std::string& path, TAddTarget target,
                                                      TAddResult result,
                                                      QTreeWidgetItem* treeParent, int listIndex) {
    CompleteLoading();
    Synchronise();
    if (const std::optional<TCdTrackPath> track = CdTrackOfPath(path, driveTexts)) {
        PressDriveButton(track->Drive);
        host.SelectTrack(track->Track);
        QTreeWidgetItem* item = playListView->Item(track->Track - 1);
        return item != nullptr && result != TAddResult::None ? std::vector{item}
                                                             : std::vector<QTreeWidgetItem*>{};
    }
    if (driveMode) {
        PressFileButton();
        listIndex = std::min(listIndex, playListView->Count());
    }
    const std::string resolved = ResolvedPath(path);
    // The name's bytes, which need not be valid text, reach the file system as they are.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(resolved, error);
    std::vector<QTreeWidgetItem*> added;
    if (std::filesystem::exists(status) && !std::filesystem::is_directory(status)) {
        added.push_back(
            target == TAddTarget::PlayList
                ? playListView->AppendItem(QString::fromStdString(FileNamePart(resolved)), resolved,
                                           FileImage)
                : fileTreeView->AddFileNode(fileTreeView->SelectedNode(), resolved, true));
    } else if (std::filesystem::is_directory(status)) {
        if (target == TAddTarget::PlayList) {
            TListScan scan(*playListView, listIndex);
            ScanFolder(resolved, scan, EscapeHeld);
            added = std::move(scan.added);
        } else {
            if (treeParent != nullptr) {
                fileTreeView->SelectNode(treeParent);
            }
            TTreeScan scan(*fileTreeView);
            ScanFolder(resolved, scan, EscapeHeld);
            added = std::move(scan.added);
        }
    }
    return AsResult(std::move(added), result);
}

void TPlaylistFrm::InsertTreeNode(QTreeWidgetItem* node, int index) {
    CompleteLoading();
    PressFileButton();
    if (node == nullptr) {
        return;
    }
    index = std::clamp(index, 0, playListView->Count());
    const TTreeNodeData& data = fileTreeView->NodeData(node);
    if (data.NodeType == FileNode) {
        playListView->InsertItem(index, node->text(0), data.FileName, FileImage);
        return;
    }
    if (data.NodeType != FolderNode) {
        return;
    }
    // The file nodes below the folder, depth first in tree order.
    std::vector<QTreeWidgetItem*> pending{node};
    while (!pending.empty()) {
        QTreeWidgetItem* next = pending.back();
        pending.pop_back();
        for (int i = next->childCount() - 1; i >= 0; --i) {
            pending.push_back(next->child(i));
        }
        if (fileTreeView->NodeData(next).NodeType == FileNode) {
            playListView->InsertItem(index++, next->text(0), fileTreeView->NodeData(next).FileName,
                                     FileImage);
        }
    }
}

void TPlaylistFrm::ClearForDrop() {
    CompleteLoading();
    Synchronise();
    playListView->clear();
}

void TPlaylistFrm::ApplyTreeWidth() {
    splitter->setSizes({treeWidth, std::max(splitter->width() - treeWidth, 1)});
}

void TPlaylistFrm::SavePlayList() {
    CompleteLoading();
    TSavedPlayList list;
    list.Preserved = preserved;
    if (preserved) {
        list.Entries = preservedList;
    } else {
        for (int i = 0; i < playListView->Count(); ++i) {
            const QTreeWidgetItem* item = playListView->Item(i);
            list.Entries.push_back({TPlayListView::Name(item), TPlayListView::Path(item)});
        }
    }
    list.TreeWidth = treeWidth;
    ProfileFile settings(SettingsPath());
    WritePlayList(settings, list);
    settings.Save();
}

void TPlaylistFrm::PlayItem(QTreeWidgetItem* item) {
    CompleteLoading();
    const int index = playListView->indexOfTopLevelItem(item);
    if (index < 0) {
        return;
    }
    if (driveMode) {
        const std::string& drive = driveTexts[pressedDrive];
        if (host.CurrentMedia() != drive && !host.OpenMedia(drive)) {
            return;
        }
        host.SelectTrack(index + 1);
        host.PlaySong();
    } else if (host.OpenMedia(TPlayListView::Path(item))) {
        host.PlaySong();
    }
}

bool TPlaylistFrm::Busy() const {
    const auto* treePopup = fileTreeView->findChild<QMenu*>(QStringLiteral("TreeNodePopup"));
    return playListView->Dragging() || playListView->Editing() ||
           fileTreeView->DraggedNode() != nullptr || popupMenu->isVisible() ||
           playListView->PopupMenu()->isVisible() ||
           (treePopup != nullptr && treePopup->isVisible());
}

void TPlaylistFrm::ApplySkin(const SkinParameters& skin) {
    QPalette frame = QApplication::palette(this);
    QPalette labels = QApplication::palette(lbPlayFileList);
    if (skin.Active) {
        const QColor background = ColorOfColorRef(skin.MainBackgroundColor);
        const QColor text = LabelColor(background, skin.CurrentTime.Color);
        frame.setColor(QPalette::Window, background);
        frame.setColor(QPalette::Button, background);
        // The tool bar's captions stand on the frame as the labels do.
        frame.setColor(QPalette::ButtonText, text);
        labels.setColor(QPalette::WindowText, text);
    }
    setPalette(frame);
    toolBar->setPalette(frame);
    for (QLabel* label : {lbRegisteredFiles, lbPlayFileList}) {
        label->setPalette(labels);
    }
    for (QWidget* view :
         {static_cast<QWidget*>(fileTreeView), static_cast<QWidget*>(playListView)}) {
        view->setPalette(QApplication::palette(view));
    }
}

void TPlaylistFrm::SaveOnHide() {
    SavePlayList();
    fileTreeView->SaveTree(TreePath());
    ProfileFile settings(SettingsPath());
    WriteWindowBounds(settings, geometry());
    settings.Save();
}

void TPlaylistFrm::SaveLists() {
    if (isVisible()) {
        SaveOnHide();
        return;
    }
    // Saving the play list reads first what is still waiting to be read, the tree included.
    SavePlayList();
    fileTreeView->SaveTree(TreePath());
}

void TPlaylistFrm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    Guarded([this] {
        const QScreen* screen = this->screen();
        const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 640, 480);
        setGeometry(ReadWindowBounds(ProfileFile(SettingsPath()), area));
        RebuildToolBar();
        CompleteLoading();
        ApplyTreeWidth();
        Synchronise();
    });
}

void TPlaylistFrm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { SaveOnHide(); });
    }
}

void TPlaylistFrm::contextMenuEvent(QContextMenuEvent* event) {
    popupMenu->popup(event->globalPos());
    event->accept();
}
