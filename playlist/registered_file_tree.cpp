#include "registered_file_tree.h"

#include "actions/key_polling.h"
#include "actions/message_format.h"
#include "actions/messages.h"
#include "playlist_images.h"
#include "tree_file.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QToolTip>
#include <algorithm>

namespace {

const QString DamagedSuffix = QStringLiteral(".damaged");

// A node with the data it owns.
class TTreeNode : public QTreeWidgetItem {
public:
    static constexpr int NodeItemType = QTreeWidgetItem::UserType + 1;

    explicit TTreeNode(TTreeNodeData data) : QTreeWidgetItem(NodeItemType), Data(std::move(data)) {}

    TTreeNodeData Data;
};

// Collapses node and every node below it that has children.
void CollapseAll(QTreeWidgetItem* node) {
    node->setExpanded(false);
    for (int i = 0; i < node->childCount(); ++i) {
        if (node->child(i)->childCount() > 0) {
            CollapseAll(node->child(i));
        }
    }
}

// The nodes at and below node that are expanded, those below collapsed ones too.
void CollectExpanded(QTreeWidgetItem* node, std::vector<QTreeWidgetItem*>& expanded) {
    if (node->isExpanded()) {
        expanded.push_back(node);
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (node->child(i)->childCount() > 0) {
            CollectExpanded(node->child(i), expanded);
        }
    }
}

QIcon FolderIcon() {
    QIcon icon;
    for (const int size : {16, 32}) {
        icon.addPixmap(PlaylistImage(FolderImage).pixmap(size), QIcon::Normal);
        icon.addPixmap(PlaylistImage(OpenFolderImage).pixmap(size), QIcon::Selected);
    }
    return icon;
}

} // namespace

TRegisteredFileTree::TRegisteredFileTree(QWidget* parent)
    : QTreeWidget(parent), rootIcon(PlaylistImage(RootImage)), folderIcon(FolderIcon()),
      fileIcon(PlaylistImage(FileImage)), popupMenu(new QMenu(this)) {
    setObjectName(QStringLiteral("FileTreeView"));
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setAutoScroll(false);
    setMouseTracking(true);
    addTopLevelItem(NewNode(SFileList, {"ROOT", RootNode}));

    popupMenu->setObjectName(QStringLiteral("TreeNodePopup"));
    MenuItem("miAddNewFile", "&Add New File On Here", QKeySequence(Qt::CTRL | Qt::Key_A),
             &TRegisteredFileTree::AddFileClick);
    MenuItem("miCreateNewFolder", "Create New &Folder ", QKeySequence(Qt::CTRL | Qt::Key_F),
             &TRegisteredFileTree::NewFolderClick);
    MenuItem("miDeleteNode", "D&elete This Folder/File", QKeySequence(Qt::Key_Delete),
             &TRegisteredFileTree::DeleteClick);
    MenuItem("miRenameNode", "&Rename", QKeySequence(Qt::Key_F2),
             &TRegisteredFileTree::RenameClick);
    MenuItem("miNodeUp", "&Up", QKeySequence(Qt::CTRL | Qt::Key_Up), &TRegisteredFileTree::UpClick);
    MenuItem("miNodeDown", "&Down", QKeySequence(Qt::CTRL | Qt::Key_Down),
             &TRegisteredFileTree::DownClick);
    // The menu stands for the window's own: the key that closes it fires nothing behind it.
    connect(popupMenu, &QMenu::aboutToHide, this, [] { SwallowHeldKeys(); });

    scrollTimer.setInterval(200);
    connect(&scrollTimer, &QTimer::timeout, this,
            [this] { ScrollWhileDragging(viewport()->mapFromGlobal(QCursor::pos())); });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node) {
        if (NodeData(node).NodeType == FileNode && OnFileNodeDoubleClicked) {
            OnFileNodeDoubleClicked(node);
        }
    });
}

TRegisteredFileTree::~TRegisteredFileTree() = default;

bool TRegisteredFileTree::IsWithin(const QTreeWidgetItem* node, const QTreeWidgetItem* ancestor) {
    for (; node; node = node->parent()) {
        if (node == ancestor) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> TRegisteredFileTree::SortedPaths(QStringList files) {
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(files.size()));
    for (const QString& file : files) {
        paths.push_back(QFile::encodeName(file).toStdString());
    }
    return paths;
}

QTreeWidgetItem* TRegisteredFileTree::Root() const {
    return topLevelItem(0);
}

QTreeWidgetItem* TRegisteredFileTree::NewNode(const QString& caption, TTreeNodeData data) {
    auto* node = new TTreeNode(std::move(data));
    const std::uint8_t type = node->Data.NodeType;
    node->setText(0, caption);
    node->setIcon(0, type == RootNode ? rootIcon : type == FolderNode ? folderIcon : fileIcon);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    if (type != RootNode) {
        flags |= Qt::ItemIsDragEnabled;
    }
    node->setFlags(flags);
    return node;
}

QTreeWidgetItem* TRegisteredFileTree::PlaceOf(QTreeWidgetItem* parent) const {
    if (!parent) {
        return Root();
    }
    return NodeData(parent).NodeType == FileNode ? parent->parent() : parent;
}

QTreeWidgetItem* TRegisteredFileTree::AddFileNode(QTreeWidgetItem* parent, const std::string& path,
                                                  bool expand, const QString& displayName) {
    const QString caption =
        displayName.isEmpty() ? QFileInfo(QFile::decodeName(path.c_str())).fileName() : displayName;
    QTreeWidgetItem* node = NewNode(caption, {path, FileNode});
    PlaceOf(parent)->addChild(node);
    if (parent && expand) {
        parent->setExpanded(true);
    } else if (parent) {
        CollapseAll(parent);
    }
    return node;
}

QTreeWidgetItem* TRegisteredFileTree::AddFolderNode(QTreeWidgetItem* parent, bool startEditing,
                                                    const QString& name) {
    const QString caption = name.isEmpty() ? SNewFolder : name;
    QTreeWidgetItem* node = NewNode(caption, {caption.toStdString(), FolderNode});
    PlaceOf(parent)->addChild(node);
    if (parent && NodeData(parent).NodeType != FileNode) {
        parent->setExpanded(true);
    }
    if (startEditing) {
        RenameNode(node);
    }
    return node;
}

void TRegisteredFileTree::DeleteNode(QTreeWidgetItem* node) {
    if (!node || node == Root()) {
        return;
    }
    QTreeWidgetItem* parent = node->parent();
    const bool selectionGoes = IsWithin(SelectedNode(), node);
    if (IsWithin(dropTarget, node)) {
        dropTarget = nullptr;
    }
    if (IsWithin(draggedNode, node)) {
        draggedNode = nullptr;
    }
    // A tree keeps one node selected: the next sibling, else the previous, else the parent.
    const int index = parent->indexOfChild(node);
    QTreeWidgetItem* heir = index + 1 < parent->childCount() ? parent->child(index + 1)
                            : index > 0                      ? parent->child(index - 1)
                                                             : parent;
    delete node;
    if (selectionGoes) {
        SelectNode(heir);
    }
    if (SelectedNode() == Root() && parent->childCount() > 0) {
        SelectNode(parent->child(parent->childCount() - 1));
    }
}

QTreeWidgetItem* TRegisteredFileTree::SelectedNode() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

void TRegisteredFileTree::SelectNode(QTreeWidgetItem* node) {
    if (node) {
        setCurrentItem(node);
    } else {
        clearSelection();
    }
}

QTreeWidgetItem* TRegisteredFileTree::NodeAt(QPoint viewportPoint) const {
    return itemAt(viewportPoint);
}

const TTreeNodeData& TRegisteredFileTree::NodeData(const QTreeWidgetItem* node) const {
    return static_cast<const TTreeNode*>(node)->Data;
}

namespace {

// The nodes of the file under parent, built apart and then added at once; the folders to
// expand are collected to be expanded once they are in the view.
void AddChildren(QTreeWidgetItem* parent, const std::vector<TreeFileNode>& nodes,
                 std::vector<QTreeWidgetItem*>& expanded,
                 const std::function<QTreeWidgetItem*(const TreeFileNode&)>& newNode) {
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(nodes.size()));
    for (const TreeFileNode& node : nodes) {
        QTreeWidgetItem* child = newNode(node);
        AddChildren(child, node.Children, expanded, newNode);
        if (node.Folder && node.Expanded) {
            expanded.push_back(child);
        }
        children.append(child);
    }
    parent->addChildren(children);
}

TreeFileNode FileNodeOf(const TRegisteredFileTree& tree, const QTreeWidgetItem* node) {
    const TTreeNodeData& data = tree.NodeData(node);
    const bool folder = data.NodeType == FolderNode;
    // Only a folder is asked: the view finds a node's row by searching its siblings, so asking
    // each of a folder's 100,000 files took seconds.
    TreeFileNode saved{.Name = node->text(0),
                       .FileName = QFile::decodeName(data.FileName.c_str()),
                       .Folder = folder,
                       .Expanded = folder && node->isExpanded(),
                       .Children = {}};
    saved.Children.reserve(static_cast<std::size_t>(node->childCount()));
    for (int i = 0; i < node->childCount(); ++i) {
        saved.Children.push_back(FileNodeOf(tree, node->child(i)));
    }
    return saved;
}

} // namespace

void TRegisteredFileTree::LoadTree(const std::string& file) {
    MarkDropTarget(nullptr);
    draggedNode = nullptr;
    clear();
    addTopLevelItem(NewNode(SFileList, {"ROOT", RootNode}));
    const TreeFileContent content = ReadTreeFile(file);
    // A folder's file name is not read back: it is the default name, as for a new folder.
    const auto newNode = [this](const TreeFileNode& node) {
        return node.Folder
                   ? NewNode(node.Name, {SNewFolder.toStdString(), FolderNode})
                   : NewNode(node.Name, {QFile::encodeName(node.FileName).toStdString(), FileNode});
    };
    std::vector<QTreeWidgetItem*> expanded;
    AddChildren(Root(), content.Nodes, expanded, newNode);
    Root()->setExpanded(true);
    for (QTreeWidgetItem* folder : expanded) {
        folder->setExpanded(true);
    }
    if (content.DamagedLine) {
        damagedFile = file;
        throw ETreeFileDamaged(FormatMessage(SFileListDamaged, {file, *content.DamagedLine,
                                                                file + DamagedSuffix.toStdString()})
                                   .toStdString());
    }
}

void TRegisteredFileTree::SaveTree(const std::string& file) {
    if (damagedFile == file) {
        const QString original = QString::fromStdString(file);
        const QString copy = original + DamagedSuffix;
        QFile::remove(copy);
        if (QFile::exists(original) && !QFile::copy(original, copy)) {
            throw ETreeFileError((SWriteFileListError + u'\r' + copy).toStdString());
        }
        damagedFile.clear();
    }
    const TreeFileNode root = FileNodeOf(*this, Root());
    WriteTreeFile(file, root.Children);
}

void TRegisteredFileTree::MoveNode(QTreeWidgetItem* node, QTreeWidgetItem* parent, int index) {
    std::vector<QTreeWidgetItem*> expanded;
    CollectExpanded(node, expanded);
    const bool wasCurrent = currentItem() == node;
    const bool wasSelected = node->isSelected();
    node->parent()->takeChild(node->parent()->indexOfChild(node));
    parent->insertChild(index, node);
    for (QTreeWidgetItem* folder : expanded) {
        folder->setExpanded(true);
    }
    if (wasCurrent) {
        setCurrentItem(node);
    }
    node->setSelected(wasSelected);
}

void TRegisteredFileTree::MoveNodeUp(QTreeWidgetItem* node) {
    if (!node || node == Root()) {
        return;
    }
    QTreeWidgetItem* parent = node->parent();
    const int index = parent->indexOfChild(node);
    if (index > 0) {
        MoveNode(node, parent, index - 1);
    }
}

void TRegisteredFileTree::MoveNodeDown(QTreeWidgetItem* node) {
    if (!node || node == Root()) {
        return;
    }
    QTreeWidgetItem* parent = node->parent();
    const int index = parent->indexOfChild(node);
    const int last = parent->childCount() - 1;
    // Indices after the node is taken out: the end, or before the sibling after next.
    MoveNode(node, parent, index + 2 > last ? last : index + 1);
}

void TRegisteredFileTree::RenameNode(QTreeWidgetItem* node) {
    if (!node) {
        return;
    }
    scrollToItem(node);
    editItem(node);
}

QTreeWidgetItem* TRegisteredFileTree::TargetNode() const {
    if (QTreeWidgetItem* selected = SelectedNode()) {
        return selected;
    }
    return NodeAt(viewport()->mapFromGlobal(QCursor::pos()));
}

QFileDialog& TRegisteredFileTree::OpenDialog() {
    if (!openDialog) {
        openDialog = new QFileDialog(this);
        openDialog->setObjectName(QStringLiteral("OpenDialog"));
        openDialog->setFileMode(QFileDialog::ExistingFiles);
        openDialog->setAcceptMode(QFileDialog::AcceptOpen);
        connect(openDialog, &QFileDialog::filesSelected, this,
                &TRegisteredFileTree::AddChosenFiles);
    }
    return *openDialog;
}

void TRegisteredFileTree::AddChosenFiles(const QStringList& files) {
    QTreeWidgetItem* at = SelectedNode();
    for (const std::string& path : SortedPaths(files)) {
        AddFileNode(at, path, true);
    }
}

QAction* TRegisteredFileTree::MenuItem(const char* name, const char* caption, QKeySequence shortcut,
                                       void (TRegisteredFileTree::*command)()) {
    QAction* item = popupMenu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    // The shortcut works while the tree has the focus, beside the play list's own.
    item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(item);
    connect(item, &QAction::triggered, this, [this, command] { (this->*command)(); });
    return item;
}

void TRegisteredFileTree::AddFileClick() {
    OpenDialog().open();
}

void TRegisteredFileTree::NewFolderClick() {
    AddFolderNode(TargetNode(), true);
}

void TRegisteredFileTree::DeleteClick() {
    if (state() != QAbstractItemView::EditingState) {
        DeleteNode(TargetNode());
    }
}

void TRegisteredFileTree::RenameClick() {
    RenameNode(TargetNode());
}

void TRegisteredFileTree::UpClick() {
    MoveNodeUp(TargetNode());
}

void TRegisteredFileTree::DownClick() {
    MoveNodeDown(TargetNode());
}

void TRegisteredFileTree::contextMenuEvent(QContextMenuEvent* event) {
    popupMenu->popup(event->globalPos());
}

void TRegisteredFileTree::mouseMoveEvent(QMouseEvent* event) {
    QToolTip::hideText();
    QTreeWidget::mouseMoveEvent(event);
}
