#pragma once

#include "platform/exception.h"
#include "tree_node_data.h"

#include <QIcon>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QFileDialog;
class QMenu;
class QMimeData;

// The tree file was damaged at a line; what came before it was loaded. The text names the line
// and the file, and says where the whole file is kept.
class ETreeFileDamaged : public Exception {
public:
    using Exception::Exception;
};

// The registered file tree, the left pane of the playlist window: folders of the user's
// making holding references to media files anywhere on disk, under one root. Every node
// carries a TTreeNodeData; the order of children is the user's. The tree file is read and
// written by tree_file.h.
class TRegisteredFileTree : public QTreeWidget {
public:
    explicit TRegisteredFileTree(QWidget* parent = nullptr);
    ~TRegisteredFileTree() override;

    // The one root, captioned SFileList; it is never deleted.
    QTreeWidgetItem* Root() const;
    // A file node under parent: the last child of the root when parent is none, of parent's
    // parent when parent is a file, of parent otherwise. Its caption is displayName, or the
    // file name part of path. When parent is given it is expanded one level (expand) or
    // collapsed with everything below it.
    QTreeWidgetItem* AddFileNode(QTreeWidgetItem* parent, const std::string& path, bool expand,
                                 const QString& displayName = {});
    // A folder node named name (SNewFolder when empty), placed as AddFileNode places a file;
    // a folder or the root it is added to is expanded one level. With startEditing its caption
    // is opened for editing at once.
    QTreeWidgetItem* AddFolderNode(QTreeWidgetItem* parent, bool startEditing,
                                   const QString& name = {});
    // Removes the node with everything below it (nothing for the root). When the root is then
    // the selected node and the node's parent still has children, its last child is selected.
    void DeleteNode(QTreeWidgetItem* node);
    QTreeWidgetItem* SelectedNode() const;
    void SelectNode(QTreeWidgetItem* node);
    QTreeWidgetItem* NodeAt(QPoint viewportPoint) const;
    // The data of a node of this tree (nodes are made only by the operations here).
    const TTreeNodeData& NodeData(const QTreeWidgetItem* node) const;

    // Deletes every node and reads the tree file (nothing more when there is none); the root
    // stays expanded. ETreeFileError when the file cannot be read; ETreeFileDamaged when it is
    // damaged at a line, after loading what came before: the next SaveTree of that file then
    // first copies it beside itself with ".damaged" appended to its name.
    void LoadTree(const std::string& file);
    // Rewrites the tree file from scratch (ETreeFileError when it cannot).
    void SaveTree(const std::string& file);

    // The commands of the popup menu "TreeNodePopup", on a node (nothing for the root or none):
    // Up puts the node before its previous sibling; Down after its next sibling.
    void MoveNodeUp(QTreeWidgetItem* node);
    void MoveNodeDown(QTreeWidgetItem* node);
    void RenameNode(QTreeWidgetItem* node);
    // The command's target: the selected node, else the node under the mouse pointer.
    QTreeWidgetItem* TargetNode() const;
    // The open dialog of "&Add New File On Here"; the window chooses the folder it starts in.
    QFileDialog& OpenDialog();

    // A node dragged onto target within the tree: nothing when there is no dragged node, when
    // target is the dragged node or lies below it; to the end of the root when target is none
    // or the root; beside target otherwise: after it when both share a parent and the dragged
    // node stood above, else just before it (into target's parent). Expanded nodes stay so.
    void DropNode(QTreeWidgetItem* dragged, QTreeWidgetItem* target);
    // The node being dragged from this tree (the one selected when the drag began), or none.
    QTreeWidgetItem* DraggedNode() const;
    // Whether a drag from source carrying data is taken: a node of this tree, items of
    // PlayListView, or files of the file manager ("text/uri-list" with local files).
    bool AcceptsDrag(const QMimeData& data, const QObject* source) const;
    // What a drop of data from source at a point of the viewport does (see AcceptsDrag).
    void DropAt(const QMimeData& data, const QObject* source, QPoint viewportPoint);
    // The node marked as the drop target while a drag moves over the tree, or none.
    QTreeWidgetItem* DropTarget() const;
    // One step of the scrolling while a node is dragged, every 200 ms with the pointer at a
    // point of the viewport: within 50 pixels of the top edge the previous sibling of the
    // first visible node becomes the first visible node, within 50 pixels of the bottom edge
    // its next sibling; nothing scrolls while the root is the first visible node.
    void ScrollWhileDragging(QPoint viewportPoint);

    // The play list's view, whose drags this tree takes.
    QWidget* PlayListView = nullptr;
    // A file node was double-clicked.
    std::function<void(QTreeWidgetItem* fileNode)> OnFileNodeDoubleClicked;
    // Local files dropped from the file manager, sorted without regard to case, with the node
    // under the pointer (none when there is none).
    std::function<void(std::vector<std::string> paths, QTreeWidgetItem* at)> OnShellFilesDropped;
    // Items of the play list dropped on the node under the pointer (the root when there is
    // none).
    std::function<void(QTreeWidgetItem* at)> OnPlayListItemsDropped;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Whether node is ancestor or lies below it.
    static bool IsWithin(const QTreeWidgetItem* node, const QTreeWidgetItem* ancestor);
    // The files sorted without regard to case, as paths.
    static std::vector<std::string> SortedPaths(QStringList files);
    QTreeWidgetItem* NewNode(const QString& caption, TTreeNodeData data);
    QTreeWidgetItem* PlaceOf(QTreeWidgetItem* parent) const;
    void MoveNode(QTreeWidgetItem* node, QTreeWidgetItem* parent, int index);
    void MarkDropTarget(QTreeWidgetItem* node);
    void AddChosenFiles(const QStringList& files);
    QAction* MenuItem(const char* name, const char* caption, QKeySequence shortcut,
                      void (TRegisteredFileTree::*command)());
    void AddFileClick();
    void NewFolderClick();
    void DeleteClick();
    void RenameClick();
    void UpClick();
    void DownClick();

    QIcon rootIcon, folderIcon, fileIcon;
    QMenu* popupMenu;
    QFileDialog* openDialog = nullptr;
    QTreeWidgetItem* draggedNode = nullptr;
    QTreeWidgetItem* dropTarget = nullptr;
    QTimer scrollTimer;
    // The tree file found damaged by the last load, copied aside before it is next written.
    std::string damagedFile;
};
