#include "playlist/play_list_view.h"
#include "playlist/playlist_images.h"

#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// What Qt calls when something is dropped on the list.
class DropTarget : public TPlayListView {
public:
    void Drop(QDropEvent& event) { dropEvent(&event); }
};

// A list of the letters of names, the letters of selected at the given indices; the names of
// its items in order afterwards, selected ones in brackets.
class PlayListViewTest : public testing::Test {
protected:
    void Fill(const std::string& names, const std::vector<int>& selected) {
        for (const char name : names) {
            list.AppendItem(QString(QChar(name)), std::string("/music/") + name, FileImage);
        }
        for (const int index : selected) {
            list.Item(index)->setSelected(true);
        }
    }
    std::string Order() const {
        std::string order;
        for (int i = 0; i < list.Count(); ++i) {
            const std::string name = TPlayListView::Name(list.Item(i)).toStdString();
            order += list.Item(i)->isSelected() ? "[" + name + "]" : name;
        }
        return order;
    }

    DropTarget list;
};

enum class Command { Up, Down, Delete, MoveTo };

struct MoveCase {
    std::vector<int> selected;
    Command command;
    int index; // for MoveTo
    std::string expected;
};

TEST_F(PlayListViewTest, MovesAndDeletesTheSelectedBlock) {
    const std::vector<MoveCase> cases = {
        {{2}, Command::Up, 0, "A[C]BDE"},          {{0}, Command::Up, 0, "[A]BCDE"},
        {{1, 2}, Command::Up, 0, "[B][C]ADE"},     {{1, 3}, Command::Up, 0, "[B][D]ACE"},
        {{1}, Command::Down, 0, "AC[B]DE"},        {{1, 2}, Command::Down, 0, "AD[B][C]E"},
        {{4}, Command::Down, 0, "ABCD[E]"},        {{3, 4}, Command::Down, 0, "ABC[D][E]"},
        {{1, 3}, Command::Delete, 0, "ACE"},       {{0, 1, 2, 3, 4}, Command::Delete, 0, ""},
        {{1}, Command::MoveTo, 3, "ACD[B]E"},      {{3}, Command::MoveTo, 1, "A[D]BCE"},
        {{0, 1}, Command::MoveTo, 5, "CDE[A][B]"}, {{2}, Command::MoveTo, 2, "AB[C]DE"},
    };
    for (const MoveCase& c : cases) {
        list.clear();
        Fill("ABCDE", c.selected);
        switch (c.command) {
        case Command::Up:
            list.MoveSelectedUp();
            break;
        case Command::Down:
            list.MoveSelectedDown();
            break;
        case Command::Delete:
            list.DeleteSelected();
            break;
        case Command::MoveTo:
            list.MoveSelectedTo(c.index);
            break;
        }
        EXPECT_EQ(Order(), c.expected) << "case " << (&c - cases.data());
    }
}

TEST_F(PlayListViewTest, MovedItemsKeepTheirPaths) {
    Fill("ABC", {0});
    list.MoveSelectedDown();
    EXPECT_EQ(TPlayListView::Path(list.Item(1)), "/music/A");
    EXPECT_EQ(TPlayListView::Path(list.Item(0)), "/music/B");
}

// A list of thousands of songs holds one picture per kind, not two drawn for every item.
TEST_F(PlayListViewTest, ItemsOfAKindShareOnePicture) {
    Fill("AB", {});
    list.AppendItem("1", {}, CdTrackImage);
    list.AppendItem("2", {}, CdTrackImage);
    EXPECT_EQ(list.Item(0)->icon(0).cacheKey(), list.Item(1)->icon(0).cacheKey());
    EXPECT_EQ(list.Item(2)->icon(0).cacheKey(), list.Item(3)->icon(0).cacheKey());
    EXPECT_NE(list.Item(0)->icon(0).cacheKey(), list.Item(2)->icon(0).cacheKey());
}

TEST_F(PlayListViewTest, NothingMovesOrGoesInDriveMode) {
    Fill("ABC", {1});
    list.DriveMode = true;
    list.MoveSelectedUp();
    list.MoveSelectedDown();
    list.DeleteSelected();
    EXPECT_EQ(Order(), "A[B]C");
}

TEST_F(PlayListViewTest, PlayThisFileOnlyForOneSelectedItem) {
    Fill("ABC", {0, 1});
    QMenu* popup = list.PopupMenu();
    EXPECT_EQ(popup->objectName(), "ListItemPopup");
    emit popup->aboutToShow();
    QAction* play = popup->findChild<QAction*>("miPlayThisFile");
    QAction* remove = popup->findChild<QAction*>("miDelete");
    ASSERT_NE(play, nullptr);
    ASSERT_NE(remove, nullptr);
    EXPECT_FALSE(play->isEnabled());
    EXPECT_TRUE(remove->isEnabled());

    list.Item(0)->setSelected(false);
    emit popup->aboutToShow();
    EXPECT_TRUE(play->isEnabled());
    QTreeWidgetItem* played = nullptr;
    list.OnPlayItem = [&played](QTreeWidgetItem* item) { played = item; };
    play->trigger();
    EXPECT_EQ(played, list.Item(1));
}

TEST_F(PlayListViewTest, FileUrlsDroppedFromAFileManagerArriveSortedWithTheDropIndex) {
    Fill("AB", {});
    list.resize(300, 200);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/music/b.wav"), QUrl(QStringLiteral("https://x.org/a.wav")),
                  QUrl::fromLocalFile("/music/A two.wav"), QUrl::fromLocalFile("/music/C.wav")});
    std::vector<std::string> dropped;
    int droppedAt = -1;
    list.OnShellFilesDropped = [&](std::vector<std::string> paths, int index) {
        dropped = std::move(paths);
        droppedAt = index;
    };
    const QPoint below(10, list.viewport()->height() - 2);
    QDropEvent drop(below, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    list.Drop(drop);
    const std::vector<std::string> expected = {"/music/A two.wav", "/music/b.wav", "/music/C.wav"};
    EXPECT_EQ(dropped, expected);
    EXPECT_EQ(droppedAt, 2);
    EXPECT_TRUE(drop.isAccepted());
}

} // namespace
