#include "actions/messages.h"
#include "playlist/registered_file_tree.h"
#include "playlist/tree_file.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QCoreApplication>
#include <QDragMoveEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const std::string& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The captions of node's children in order.
QStringList Captions(const QTreeWidgetItem* node) {
    QStringList captions;
    for (int i = 0; i < node->childCount(); ++i) {
        captions.append(node->child(i)->text(0));
    }
    return captions;
}

// A tree: root: A (folder: a1, a2, a3), B (folder: b1), c.
class RegisteredFileTreeTest : public testing::Test {
protected:
    RegisteredFileTreeTest() {
        A = tree.AddFolderNode(nullptr, false, "A");
        for (const char* name : {"a1", "a2", "a3"}) {
            tree.AddFileNode(A, std::string("/m/") + name + ".mp3", true, name);
        }
        B = tree.AddFolderNode(nullptr, false, "B");
        tree.AddFileNode(B, "/m/b1.mp3", true);
        c = tree.AddFileNode(nullptr, "/m/c.mp3", false);
    }

    QTreeWidgetItem* Node(const QString& caption) const {
        const QList<QTreeWidgetItem*> found =
            tree.findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }

    TRegisteredFileTree tree;
    QTreeWidgetItem* A;
    QTreeWidgetItem* B;
    QTreeWidgetItem* c;
};

TEST_F(RegisteredFileTreeTest, NodesGoWhereTheRulesPlaceThem) {
    EXPECT_EQ(tree.objectName(), "FileTreeView");
    EXPECT_TRUE(tree.isHeaderHidden());
    QTreeWidgetItem* root = tree.Root();
    EXPECT_EQ(root->text(0), SFileList);
    EXPECT_EQ(tree.NodeData(root).FileName, "ROOT");
    EXPECT_EQ(Captions(root), QStringList({"A", "B", "c.mp3"}));
    EXPECT_EQ(tree.NodeData(c).FileName, "/m/c.mp3");
    EXPECT_EQ(tree.NodeData(c).NodeType, FileNode);

    // Under a file: beside it; under a folder: inside it.
    QTreeWidgetItem* beside = tree.AddFileNode(Node("a1"), "/m/d.mp3", true);
    EXPECT_EQ(beside->parent(), A);
    QTreeWidgetItem* folder = tree.AddFolderNode(c, false);
    EXPECT_EQ(folder->parent(), tree.Root());
    EXPECT_EQ(folder->text(0), SNewFolder);
    EXPECT_EQ(tree.NodeData(folder).NodeType, FolderNode);
    EXPECT_EQ(tree.NodeData(folder).FileName, SNewFolder.toStdString());
}

TEST_F(RegisteredFileTreeTest, AddingExpandsTheParentOrCollapsesItWithEverythingBelow) {
    QTreeWidgetItem* inner = tree.AddFolderNode(A, false, "inner");
    EXPECT_TRUE(A->isExpanded());
    tree.AddFileNode(inner, "/m/x.mp3", true);
    EXPECT_TRUE(inner->isExpanded());
    tree.AddFileNode(A, "/m/y.mp3", false);
    EXPECT_FALSE(A->isExpanded());
    EXPECT_FALSE(inner->isExpanded());
    tree.AddFolderNode(A, false);
    EXPECT_TRUE(A->isExpanded());
}

TEST_F(RegisteredFileTreeTest, DeletingRemovesTheSubtreeButNeverTheRoot) {
    tree.DeleteNode(tree.Root());
    EXPECT_EQ(Captions(tree.Root()).size(), 3);
    tree.SelectNode(Node("a2"));
    tree.DeleteNode(A);
    EXPECT_EQ(Captions(tree.Root()), QStringList({"B", "c.mp3"}));
    EXPECT_EQ(Node("a2"), nullptr);
    EXPECT_EQ(tree.SelectedNode(), B);

    // The root selected afterwards gives way to the last child of the parent.
    tree.SelectNode(tree.Root());
    tree.DeleteNode(B);
    EXPECT_EQ(tree.SelectedNode(), c);
}

TEST_F(RegisteredFileTreeTest, UpAndDownMoveOnePlaceAndStopAtTheEnds) {
    const struct {
        const char* node;
        bool up;
        QStringList order;
    } cases[] = {
        {"a2", true, {"a2", "a1", "a3"}},  {"a1", true, {"a1", "a2", "a3"}},
        {"a1", false, {"a2", "a1", "a3"}}, {"a2", false, {"a1", "a3", "a2"}},
        {"a3", false, {"a1", "a2", "a3"}},
    };
    for (const auto& step : cases) {
        TRegisteredFileTree fresh;
        QTreeWidgetItem* folder = fresh.AddFolderNode(nullptr, false, "A");
        for (const char* name : {"a1", "a2", "a3"}) {
            fresh.AddFileNode(folder, "/m/x", true, name);
        }
        QTreeWidgetItem* node =
            fresh.findItems(step.node, Qt::MatchExactly | Qt::MatchRecursive).front();
        step.up ? fresh.MoveNodeUp(node) : fresh.MoveNodeDown(node);
        EXPECT_EQ(Captions(folder), step.order) << step.node << (step.up ? " up" : " down");
    }
    tree.MoveNodeUp(tree.Root());
    tree.MoveNodeDown(tree.Root());
    EXPECT_EQ(tree.topLevelItemCount(), 1);
}

TEST_F(RegisteredFileTreeTest, DraggedNodesMoveByTheTreesRules) {
    const struct {
        const char* dragged;
        const char* target; // empty: no node at the drop
        QStringList rootOrder, aOrder, bOrder;
    } cases[] = {
        // Same parent, dragged above the target: just after it; below: just before it.
        {"a1", "a2", {"A", "B", "c.mp3"}, {"a2", "a1", "a3"}, {"b1.mp3"}},
        {"a1", "a3", {"A", "B", "c.mp3"}, {"a2", "a3", "a1"}, {"b1.mp3"}},
        {"a3", "a1", {"A", "B", "c.mp3"}, {"a3", "a1", "a2"}, {"b1.mp3"}},
        {"A", "B", {"B", "A", "c.mp3"}, {"a1", "a2", "a3"}, {"b1.mp3"}},
        // Different parents: just before the target, in its parent.
        {"a2", "b1.mp3", {"A", "B", "c.mp3"}, {"a1", "a3"}, {"a2", "b1.mp3"}},
        {"a2", "B", {"A", "a2", "B", "c.mp3"}, {"a1", "a3"}, {"b1.mp3"}},
        {"B", "a1", {"A", "c.mp3"}, {"B", "a1", "a2", "a3"}, {"b1.mp3"}},
        // Onto its own child or itself: nothing.
        {"A", "a2", {"A", "B", "c.mp3"}, {"a1", "a2", "a3"}, {"b1.mp3"}},
        {"A", "A", {"A", "B", "c.mp3"}, {"a1", "a2", "a3"}, {"b1.mp3"}},
        // Onto the root or no node: the end of the root.
        {"a1", "Registered File List", {"A", "B", "c.mp3", "a1"}, {"a2", "a3"}, {"b1.mp3"}},
        {"A", "", {"B", "c.mp3", "A"}, {"a1", "a2", "a3"}, {"b1.mp3"}},
    };
    for (const auto& drag : cases) {
        TRegisteredFileTree fresh;
        QTreeWidgetItem* a = fresh.AddFolderNode(nullptr, false, "A");
        for (const char* name : {"a1", "a2", "a3"}) {
            fresh.AddFileNode(a, "/m/x", true, name);
        }
        QTreeWidgetItem* b = fresh.AddFolderNode(nullptr, false, "B");
        fresh.AddFileNode(b, "/m/b1.mp3", true);
        fresh.AddFileNode(nullptr, "/m/c.mp3", false);
        const auto find = [&](const QString& caption) -> QTreeWidgetItem* {
            const auto found = fresh.findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
            return found.isEmpty() ? nullptr : found.front();
        };
        fresh.DropNode(find(drag.dragged), find(drag.target));
        const std::string what = std::string(drag.dragged) + " onto " + drag.target;
        EXPECT_EQ(Captions(fresh.Root()), drag.rootOrder) << what;
        EXPECT_EQ(Captions(a), drag.aOrder) << what;
        EXPECT_EQ(Captions(b), drag.bOrder) << what;
        EXPECT_TRUE(a->isExpanded()) << what;
    }
}

TEST_F(RegisteredFileTreeTest, FilesOfTheFileManagerArriveAsSortedLocalPaths) {
    std::vector<std::string> paths;
    QTreeWidgetItem* at = A;
    tree.OnShellFilesDropped = [&](std::vector<std::string> dropped, QTreeWidgetItem* node) {
        paths = std::move(dropped);
        at = node;
    };
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/music/b song.mp3"), QUrl("https://example.org/x.mp3"),
                  QUrl::fromLocalFile("/music/A.mp3"), QUrl::fromLocalFile("/music/曲.mp3")});
    ASSERT_TRUE(tree.AcceptsDrag(data, nullptr));
    tree.DropAt(data, nullptr, QPoint(5, 10000));
    EXPECT_EQ(paths,
              (std::vector<std::string>{"/music/A.mp3", "/music/b song.mp3", "/music/曲.mp3"}));
    EXPECT_EQ(at, nullptr);

    QMimeData text;
    text.setText("no files");
    EXPECT_FALSE(tree.AcceptsDrag(text, nullptr));
}

// Drag events of a drag in progress go to the widget that took its entry: each position is
// sent as an entry.
TEST_F(RegisteredFileTreeTest, TheNodeUnderADragIsMarkedAndTheRootWhenThereIsNone) {
    tree.resize(300, 400);
    tree.Root()->setExpanded(true);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/music/a.mp3")});
    const QPoint onB = tree.visualItemRect(B).center();
    QDragEnterEvent over(onB, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tree.viewport(), &over);
    EXPECT_TRUE(over.isAccepted());
    EXPECT_EQ(tree.DropTarget(), B);
    QDragEnterEvent below(QPoint(5, 390), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tree.viewport(), &below);
    EXPECT_EQ(tree.DropTarget(), tree.Root());
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(tree.viewport(), &leave);
    EXPECT_EQ(tree.DropTarget(), nullptr);
}

TEST_F(RegisteredFileTreeTest, ADragNearAnEdgeScrollsBySiblingsOfTheFirstVisibleNode) {
    for (int i = 0; i < 40; ++i) {
        tree.AddFileNode(nullptr, "/m/x.mp3", false, QString("n%1").arg(i));
    }
    tree.Root()->setExpanded(true);
    tree.resize(200, 200);
    tree.show();
    const auto first = [&] { return tree.itemAt(QPoint(1, 1)); };
    const QPoint top(20, 10);
    const QPoint bottom(20, tree.viewport()->height() - 10);
    tree.ScrollWhileDragging(bottom);
    EXPECT_EQ(first(), tree.Root()); // the root first: nothing scrolls
    tree.scrollToItem(B, QAbstractItemView::PositionAtTop);
    tree.ScrollWhileDragging(bottom);
    EXPECT_EQ(first(), c);
    tree.ScrollWhileDragging(QPoint(20, 100));
    EXPECT_EQ(first(), c);
    tree.ScrollWhileDragging(top);
    tree.ScrollWhileDragging(top);
    EXPECT_EQ(first(), A);
    tree.ScrollWhileDragging(top);
    EXPECT_EQ(first(), A);
}

TEST_F(RegisteredFileTreeTest, ChosenFilesAreAddedSortedUnderTheSelectedNodeAndFileNodesPlay) {
    tree.SelectNode(B);
    emit tree.OpenDialog().filesSelected({"/m/z.mp3", "/m/Y.mp3", "/m/x.mp3"});
    EXPECT_EQ(Captions(B), QStringList({"b1.mp3", "x.mp3", "Y.mp3", "z.mp3"}));
    EXPECT_TRUE(B->isExpanded());

    QTreeWidgetItem* played = nullptr;
    tree.OnFileNodeDoubleClicked = [&](QTreeWidgetItem* node) { played = node; };
    emit tree.itemDoubleClicked(B, 0);
    EXPECT_EQ(played, nullptr);
    emit tree.itemDoubleClicked(c, 0);
    EXPECT_EQ(played, c);
}

TEST_F(RegisteredFileTreeTest, ItemsOfThePlayListAreDroppedOnTheNodeUnderThePointerOrTheRoot) {
    QWidget playList;
    QTreeWidgetItem* at = nullptr;
    tree.OnPlayListItemsDropped = [&](QTreeWidgetItem* node) { at = node; };
    QMimeData data;
    EXPECT_FALSE(tree.AcceptsDrag(data, &playList));
    tree.PlayListView = &playList;
    EXPECT_TRUE(tree.AcceptsDrag(data, &playList));
    tree.DropAt(data, &playList, QPoint(5, 10000));
    EXPECT_EQ(at, tree.Root());
}

TEST_F(RegisteredFileTreeTest, TheTreeIsSavedAndLoadedAgainAsItWas) {
    TempDir dir;
    const std::string file = dir.File("quavrel_playlist.ini");
    TRegisteredFileTree saved;
    QTreeWidgetItem* folder = saved.AddFolderNode(nullptr, false, "My, \"Songs\"");
    saved.AddFileNode(folder, "/m/one song.mp3", true);
    saved.AddFileNode(folder, "/m/two.mp3", true);
    saved.SaveTree(file);
    EXPECT_EQ(Bytes(file).toStdString(),
              "\t\"NAME=My, \"\"Songs\"\"\",\"FILENAME=My, \"\"Songs\"\"\",TYPE=FOLDER,"
              "EXPANDED=TRUE,COUNT=2\n"
              "\t\t\"NAME=one song.mp3\",\"FILENAME=/m/one song.mp3\",TYPE=FILE,COUNT=0\n"
              "\t\tNAME=two.mp3,FILENAME=/m/two.mp3,TYPE=FILE,COUNT=0\n");

    tree.LoadTree(file);
    QTreeWidgetItem* loaded = tree.Root()->child(0);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Captions(tree.Root()), QStringList({"My, \"Songs\""}));
    EXPECT_EQ(tree.NodeData(loaded).FileName, SNewFolder.toStdString());
    EXPECT_TRUE(loaded->isExpanded());
    EXPECT_EQ(Captions(loaded), QStringList({"one song.mp3", "two.mp3"}));
    EXPECT_EQ(tree.NodeData(loaded->child(0)).FileName, "/m/one song.mp3");

    tree.LoadTree(dir.File("missing.ini"));
    EXPECT_EQ(tree.Root()->childCount(), 0);
}

TEST_F(RegisteredFileTreeTest, ADamagedFileKeepsWhatCameBeforeAndIsCopiedBeforeTheNextSave) {
    TempDir dir;
    const std::string file = dir.File("quavrel_playlist.ini");
    const QByteArray damaged = "\tNAME=a,FILENAME=/a,TYPE=FILE,COUNT=0\r\n"
                               "\tNAME=F,TYPE=FOLDER,COUNT=many\r\n"
                               "\tNAME=b,FILENAME=/b,TYPE=FILE,COUNT=0\r\n";
    Write(file, damaged);
    try {
        tree.LoadTree(file);
        ADD_FAILURE() << "no damage reported";
    } catch (const ETreeFileDamaged& damage) {
        EXPECT_NE(damage.Message().find(file + " is damaged at line 2"), std::string::npos)
            << damage.Message();
    }
    EXPECT_EQ(Captions(tree.Root()), QStringList({"a"}));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file + ".damaged")));

    tree.SaveTree(file);
    EXPECT_EQ(Bytes(file + ".damaged"), damaged);
    EXPECT_EQ(ParseTreeFile(Bytes(file)).Nodes.size(), 1u);
}

TEST_F(RegisteredFileTreeTest, ThePopupMenuHoldsTheCommandsWithTheirShortcuts) {
    auto* menu = tree.findChild<QMenu*>("TreeNodePopup");
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (QAction* item : menu->actions()) {
        items.append(item->text() + " " + item->shortcut().toString());
    }
    EXPECT_EQ(items, QStringList({"&Add New File On Here Ctrl+A", "Create New &Folder  Ctrl+F",
                                  "D&elete This Folder/File Del", "&Rename F2", "&Up Ctrl+Up",
                                  "&Down Ctrl+Down"}));

    // Delete acts on the selected node, but not while a caption is being edited.
    tree.show();
    tree.SelectNode(c);
    menu->actions()[3]->trigger();
    ASSERT_NE(tree.viewport()->findChild<QLineEdit*>(), nullptr);
    menu->actions()[2]->trigger();
    EXPECT_EQ(Captions(tree.Root()).size(), 3);
}

} // namespace
