#include "platform/profile_file.h"
#include "playlist/dropped_files.h"
#include "playlist/play_list_view.h"
#include "playlist/playlist_error.h"
#include "playlist/playlist_frm.h"
#include "playlist/playlist_host.h"
#include "playlist/registered_file_tree.h"
#include "skins/skin_parameters.h"
#include "tests/playlist/shell_link_fixture.h"
#include "tests/support/disc_image.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class FakeHost : public TPlaylistHost {
public:
    bool OpenMedia(const std::string& path) override {
        opened.push_back(path);
        current = path;
        return true;
    }
    std::string CurrentMedia() const override { return current; }
    std::vector<std::string> DriveList() const override { return drives; }
    void SelectTrack(int track) override { tracks.push_back(track); }
    void PlaySong() override { ++plays; }
    QFont MainFont() const override { return {}; }
    void ActivateMainWindow() override {}

    std::string current;
    std::vector<std::string> drives;
    std::vector<std::string> opened;
    std::vector<int> tracks;
    int plays = 0;
};

std::string Touch(const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << "x";
    return path;
}

class PlaylistFrmTest : public testing::Test {
protected:
    PlaylistFrmTest() { host.drives = {disc.cuePath}; }

    std::unique_ptr<TPlaylistFrm> NewWindow() {
        auto window = std::make_unique<TPlaylistFrm>(host, dir.Path());
        window->LoadLists();
        return window;
    }
    // The names and paths of the list as "name=path" lines.
    static std::vector<std::string> Rows(TPlaylistFrm& window) {
        std::vector<std::string> rows;
        for (int i = 0; i < window.PlayListCount(); ++i) {
            rows.push_back(window.PlayListName(i).toStdString() + "=" + window.PlayListPath(i));
        }
        return rows;
    }
    std::vector<std::string> AddThreeSongs(TPlaylistFrm& window) {
        std::vector<std::string> rows;
        for (const char* name : {"c.wav", "a.wav", "b.wav"}) {
            window.AddPath(Touch(dir.File(std::string("songs/") + name)), TAddTarget::PlayList);
            rows.push_back(std::string(name) + "=" + dir.File(std::string("songs/") + name));
        }
        return rows;
    }

    TempDir dir;
    DiscImage disc{dir.Path(), {160, 248, 72}};
    FakeHost host;
};

TEST_F(PlaylistFrmTest, ADriveShowsItsTracksAndTheFileButtonBringsTheFileListBack) {
    auto window = NewWindow();
    const std::vector<std::string> files = AddThreeSongs(*window);
    window->PlayListView()->Item(1)->setText(0, QStringLiteral("My Song"));
    std::vector<std::string> expected = files;
    expected[1] = "My Song=" + dir.File("songs/a.wav");

    window->PressDriveButton(0);
    const std::vector<std::string> tracks = {"Track01.cda=", "Track02.cda=", "Track03.cda="};
    EXPECT_EQ(Rows(*window), tracks);
    EXPECT_TRUE(window->InDriveMode());
    window->PressFileButton();
    EXPECT_EQ(Rows(*window), expected);
    EXPECT_FALSE(window->InDriveMode());
}

TEST_F(PlaylistFrmTest, AListPutAsideForADriveIsSavedAndComesBackWithTheFileMode) {
    std::vector<std::string> files;
    {
        auto window = NewWindow();
        files = AddThreeSongs(*window);
        window->PressDriveButton(0);
        window->SavePlayList();
    }
    const ProfileFile settings(dir.File("quavrel.ini"));
    EXPECT_TRUE(settings.ReadBool("PlaylistFrm", "IsPreservedPlayList", false));
    EXPECT_EQ(settings.ReadInteger("PlaylistFrm", "FileCount", 0), 3);

    auto window = NewWindow();
    EXPECT_EQ(window->PlayListCount(), 0);
    host.current = files.empty() ? "" : dir.File("songs/a.wav");
    EXPECT_EQ(window->NeighbourPath(dir.File("songs/a.wav"), false), dir.File("songs/b.wav"));
    EXPECT_EQ(Rows(*window), files);
    window->SavePlayList();
    EXPECT_FALSE(
        ProfileFile(dir.File("quavrel.ini")).ReadBool("PlaylistFrm", "IsPreservedPlayList", true));
}

TEST_F(PlaylistFrmTest, SavedEntriesWhoseFileIsGoneAreDropped) {
    {
        auto window = NewWindow();
        AddThreeSongs(*window);
        window->SavePlayList();
    }
    fs::remove(dir.File("songs/a.wav"));
    auto window = NewWindow();
    const std::vector<std::string> expected = {"c.wav=" + dir.File("songs/c.wav"),
                                               "b.wav=" + dir.File("songs/b.wav")};
    EXPECT_EQ(Rows(*window), expected);
}

struct NeighbourCase {
    std::string path;
    bool previous;
    std::string expected;
};

TEST_F(PlaylistFrmTest, NeighboursFirstAndPositionsAtTheEndsOfTheList) {
    auto window = NewWindow();
    EXPECT_EQ(window->FirstPath(), "");
    EXPECT_EQ(window->NeighbourPath(dir.File("songs/c.wav"), false), "");
    AddThreeSongs(*window);
    const std::string c = dir.File("songs/c.wav");
    const std::string a = dir.File("songs/a.wav");
    const std::string b = dir.File("songs/b.wav");
    std::string upperA = a;
    upperA.replace(upperA.size() - 5, 5, "A.WAV");
    const std::vector<NeighbourCase> cases = {
        {c, false, a}, {c, true, ""},      {b, false, ""},
        {b, true, a},  {upperA, false, b}, {dir.File("songs/none.wav"), false, ""},
    };
    for (const NeighbourCase& n : cases) {
        EXPECT_EQ(window->NeighbourPath(n.path, n.previous), n.expected) << n.path;
    }
    EXPECT_EQ(window->FirstPath(), c);
    EXPECT_EQ(window->PositionOf(c), 1);
    EXPECT_EQ(window->PositionOf(b), 3);
    EXPECT_EQ(window->PositionOf(upperA), 2);
    EXPECT_EQ(window->PositionOf(dir.File("songs/none.wav")), 1);
}

TEST_F(PlaylistFrmTest, AFolderArrivesSubFoldersFirstAndATooDeepOneKeepsWhatCameBefore) {
    auto window = NewWindow();
    Touch(dir.File("drop/B.wav"));
    Touch(dir.File("drop/a.wav"));
    Touch(dir.File("drop/sub/x.wav"));
    Touch(dir.File("drop/sub/0/early.wav"));
    Touch(dir.File("drop/sub/3/4/5/deep.wav"));
    Touch(dir.File("drop/sub/3/4/5/6/too deep.wav"));
    EXPECT_THROW(window->AddPath(dir.File("drop"), TAddTarget::PlayList), EPlaylistError);
    const std::string early = "early.wav=" + dir.File("drop/sub/0/early.wav");
    EXPECT_EQ(Rows(*window), std::vector<std::string>{early});

    fs::remove_all(dir.File("drop/sub/3/4/5/6"));
    const auto added = window->AddPath(dir.File("drop"), TAddTarget::PlayList, TAddResult::All);
    const std::vector<std::string> expected = {early,
                                               early,
                                               "deep.wav=" + dir.File("drop/sub/3/4/5/deep.wav"),
                                               "x.wav=" + dir.File("drop/sub/x.wav"),
                                               "a.wav=" + dir.File("drop/a.wav"),
                                               "B.wav=" + dir.File("drop/B.wav")};
    EXPECT_EQ(Rows(*window), expected);
    EXPECT_EQ(added.size(), 5u);
}

TEST_F(PlaylistFrmTest, ShortcutsAndSymbolicLinksAddWhatTheyPointTo) {
    auto window = NewWindow();
    const std::string song = Touch(dir.File("songs/song.wav"));
    WriteShellLink(dir.File("song.lnk"), song);
    fs::create_symlink(song, dir.File("linked.wav"));
    WriteShellLink(dir.File("windows.lnk"), "C:\\song.wav");

    const auto first =
        window->AddPath(dir.File("song.lnk"), TAddTarget::PlayList, TAddResult::First);
    window->AddPath(dir.File("linked.wav"), TAddTarget::PlayList);
    window->AddPath(dir.File("windows.lnk"), TAddTarget::PlayList);
    window->AddPath(dir.File("missing.wav"), TAddTarget::PlayList);
    const std::vector<std::string> expected = {"song.wav=" + song,
                                               "linked.wav=" + dir.File("linked.wav")};
    EXPECT_EQ(Rows(*window), expected);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first.front(), window->PlayListView()->Item(0));
}

// A name need not be valid text: added by hand, found in a folder or dropped by a file
// manager, it keeps its bytes, so the song it names still opens.
TEST_F(PlaylistFrmTest, ANameThatIsNoValidTextKeepsItsBytes) {
    auto window = NewWindow();
    const std::string song = Touch(dir.File("songs/\xff.wav"));
    window->AddPath(song, TAddTarget::PlayList);
    window->AddPath(dir.File("songs"), TAddTarget::PlayList);
    QMimeData data;
    // As a file manager sends it: the name's bytes escaped.
    data.setUrls(
        {QUrl::fromEncoded("file://" + QByteArray::fromStdString(song).toPercentEncoding("/"))});
    window->PlayListView()->OnShellFilesDropped(DroppedLocalFiles(data), 0);
    ASSERT_EQ(window->PlayListCount(), 3);
    for (int i = 0; i < window->PlayListCount(); ++i) {
        EXPECT_EQ(window->PlayListPath(i), song) << i;
    }
    window->PlayItem(window->PlayListView()->Item(0));
    EXPECT_EQ(host.opened, std::vector<std::string>{song});
}

// A song that ends while the user edits (or drags) in the list asks for its neighbour; the
// selection the edit acts on stays as it is.
TEST_F(PlaylistFrmTest, TheNextSongLeavesTheSelectionOfAnEditUnderWay) {
    auto window = NewWindow();
    AddThreeSongs(*window);
    window->show();
    TPlayListView& list = *window->PlayListView();
    list.clearSelection();
    list.Item(0)->setSelected(true);
    list.editItem(list.Item(0), 0);
    ASSERT_TRUE(list.Editing());
    host.current = window->PlayListPath(2);
    EXPECT_EQ(window->NeighbourPath(host.current, false), "");
    EXPECT_TRUE(list.Item(0)->isSelected());
    EXPECT_FALSE(list.Item(2)->isSelected());
}

TEST_F(PlaylistFrmTest, APathOnADriveSelectsItsTrack) {
    auto window = NewWindow();
    AddThreeSongs(*window);
    const auto item =
        window->AddPath(disc.cuePath + "/Track02.cda", TAddTarget::PlayList, TAddResult::First);
    EXPECT_TRUE(window->InDriveMode());
    EXPECT_EQ(host.tracks, std::vector<int>{2});
    ASSERT_EQ(item.size(), 1u);
    EXPECT_EQ(item.front(), window->PlayListView()->Item(1));

    window->AddPath(dir.File("songs/a.wav"), TAddTarget::PlayList);
    EXPECT_FALSE(window->InDriveMode());
    EXPECT_EQ(window->PlayListCount(), 4);
}

TEST_F(PlaylistFrmTest, PlayingAnItemOpensItsFileOrTheDriveAndItsTrack) {
    auto window = NewWindow();
    AddThreeSongs(*window);
    window->PlayItem(window->PlayListView()->Item(2));
    EXPECT_EQ(host.opened, std::vector<std::string>{dir.File("songs/b.wav")});
    EXPECT_EQ(host.plays, 1);

    window->PressDriveButton(0);
    window->PlayItem(window->PlayListView()->Item(2));
    window->PlayItem(window->PlayListView()->Item(0));
    const std::vector<std::string> opened = {dir.File("songs/b.wav"), disc.cuePath};
    EXPECT_EQ(host.opened, opened);
    EXPECT_EQ(host.tracks, (std::vector<int>{3, 1}));
    EXPECT_EQ(host.plays, 3);
}

TEST_F(PlaylistFrmTest, TheToolBarHasTheFileButtonAndOneButtonPerDrive) {
    host.drives.push_back(dir.File("other.cue"));
    auto window = NewWindow();
    window->show();
    window->hide();
    window->show();
    std::vector<QToolButton*> buttons;
    for (QAction* action : window->ToolBar()->actions()) {
        if (auto* button = qobject_cast<QToolButton*>(window->ToolBar()->widgetForAction(action))) {
            buttons.push_back(button);
        }
    }
    QStringList captions;
    for (const QToolButton* button : buttons) {
        captions << button->text();
        EXPECT_EQ(button->width(),
                  QFontMetrics(host.MainFont()).horizontalAdvance(button->text()) + 20);
    }
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_TRUE(buttons[0]->isChecked());
    window->PressDriveButton(1);
    EXPECT_FALSE(buttons[0]->isChecked());
    EXPECT_TRUE(buttons[2]->isChecked());
    const QStringList expected = {" FILE ", "DRIVE " + QString::fromStdString(disc.cuePath),
                                  "DRIVE " + QString::fromStdString(dir.File("other.cue"))};
    EXPECT_EQ(captions, expected);
}

TEST_F(PlaylistFrmTest, ClearForDropEmptiesTheFileList) {
    auto window = NewWindow();
    AddThreeSongs(*window);
    window->ClearForDrop();
    EXPECT_EQ(window->PlayListCount(), 0);
}

} // namespace

namespace {

// The captions below node, depth first, each indented by its depth below node.
std::vector<std::string> Outline(const QTreeWidgetItem* node, int depth = 0) {
    std::vector<std::string> lines;
    for (int i = 0; i < node->childCount(); ++i) {
        lines.push_back(std::string(depth, ' ') + node->child(i)->text(0).toStdString());
        for (const std::string& line : Outline(node->child(i), depth + 1)) {
            lines.push_back(line);
        }
    }
    return lines;
}

TEST_F(PlaylistFrmTest, AFolderAddedToTheTreeBecomesFolderNodesAtTheRoot) {
    auto window = NewWindow();
    Touch(dir.File("drop/b.wav"));
    Touch(dir.File("drop/Sub/x.wav"));
    Touch(dir.File("drop/a.wav"));
    const auto last =
        window->AddPath(dir.File("drop"), TAddTarget::Tree, TAddResult::Last, TTreePlace::Root);
    TRegisteredFileTree& tree = *window->FileTreeView();
    const std::vector<std::string> expected = {"drop", " Sub", "  x.wav", " a.wav", " b.wav"};
    EXPECT_EQ(Outline(tree.Root()), expected);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(tree.NodeData(last.front()).FileName, dir.File("drop/b.wav"));
    EXPECT_EQ(tree.SelectedNode(), tree.Root());
}

TEST_F(PlaylistFrmTest, TreeNodesReachTheListAndListItemsTheTree) {
    auto window = NewWindow();
    TRegisteredFileTree& tree = *window->FileTreeView();
    QTreeWidgetItem* folder = tree.AddFolderNode(tree.Root(), false, "F");
    tree.AddFileNode(folder, "/m/one.wav", false, "One");
    QTreeWidgetItem* inner = tree.AddFolderNode(folder, false, "G");
    tree.AddFileNode(inner, "/m/two.wav", false);
    tree.AddFileNode(folder, "/m/three.wav", false);
    QTreeWidgetItem* single = tree.AddFileNode(tree.Root(), "/m/single.wav", false);

    window->PressDriveButton(0);
    window->InsertTreeNode(single, 0);
    EXPECT_FALSE(window->InDriveMode());
    window->InsertTreeNode(folder, 0);
    window->InsertTreeNode(tree.Root(), 0);
    const std::vector<std::string> expected = {"One=/m/one.wav", "two.wav=/m/two.wav",
                                               "three.wav=/m/three.wav",
                                               "single.wav=/m/single.wav"};
    EXPECT_EQ(Rows(*window), expected);

    window->PlayListView()->Item(0)->setSelected(true);
    window->PlayListView()->Item(3)->setSelected(true);
    tree.OnPlayListItemsDropped(inner);
    EXPECT_EQ(Outline(inner), (std::vector<std::string>{"two.wav", "One", "single.wav"}));
    tree.OnFileNodeDoubleClicked(single);
    EXPECT_EQ(window->PlayListCount(), 5);
}

TEST_F(PlaylistFrmTest, HidingSavesThePlayListTheTreeAndTheBounds) {
    {
        auto window = NewWindow();
        AddThreeSongs(*window);
        window->FileTreeView()->AddFileNode(nullptr, "/m/kept.wav", false);
        window->show();
        window->hide();
        window->PlayListView()->clear();
    }
    const ProfileFile settings(dir.File("quavrel.ini"));
    EXPECT_EQ(settings.ReadInteger("PlaylistFrm", "FileCount", 0), 3);
    EXPECT_TRUE(settings.ValueExists("PlaylistFrm", "Width"));
    EXPECT_TRUE(settings.ValueExists("PlaylistFrm", "FileTreeView.Width"));
    auto window = NewWindow();
    EXPECT_EQ(window->PlayListCount(), 3);
    EXPECT_EQ(Outline(window->FileTreeView()->Root()), std::vector<std::string>{"kept.wav"});
}

TEST_F(PlaylistFrmTest, ADamagedTreeFileIsShownToTheUser) {
    std::ofstream(dir.File("quavrel_playlist.ini")) << "\tNAME=a,FILENAME=/a,TYPE=FILE,COUNT=0\n"
                                                       "\tNAME=G,TYPE=FOLDER,COUNT=x\n";
    TPlaylistFrm window(host, dir.Path());
    std::vector<QString> shown;
    window.ShowMessage = [&shown](const QString& message) { shown.push_back(message); };
    window.LoadLists();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown.front().contains("line 2")) << shown.front().toStdString();
    EXPECT_EQ(Outline(window.FileTreeView()->Root()), std::vector<std::string>{"a"});
}

} // namespace

namespace {

TEST_F(PlaylistFrmTest, TheFrameTakesTheSkinsColoursAndTheViewsKeepTheDesktops) {
    auto window = NewWindow();
    const QColor desktop = window->PlayListView()->palette().color(QPalette::Base);
    SkinParameters skin;
    skin.Active = true;
    const auto* label = window->findChild<QLabel*>("lbPlayFileList");
    ASSERT_NE(label, nullptr);
    // The labels take the time text's colour where it reads on the frame, else black or white.
    const struct {
        int background;
        int time;
        QColor frame;
        QColor label;
    } cases[] = {
        {0x00402010, 0x00C0FFFF, QColor(0x10, 0x20, 0x40), QColor(0xFF, 0xFF, 0xC0)},
        {0x00FFE0C0, 0x00FFF0E0, QColor(0xC0, 0xE0, 0xFF), QColor(Qt::black)},
        {0x00402010, 0x00403020, QColor(0x10, 0x20, 0x40), QColor(Qt::white)},
        {0x00FFE0C0, -1, QColor(0xC0, 0xE0, 0xFF), QColor(Qt::black)},
    };
    for (const auto& c : cases) {
        skin.MainBackgroundColor = c.background;
        skin.CurrentTime.Color = c.time;
        window->ApplySkin(skin);
        EXPECT_EQ(window->palette().color(QPalette::Window), c.frame);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), c.label) << c.time;
        EXPECT_EQ(window->ToolBar()->palette().color(QPalette::ButtonText), c.label) << c.time;
        EXPECT_EQ(window->PlayListView()->palette().color(QPalette::Base), desktop);
    }

    window->ApplySkin(SkinParameters{});
    EXPECT_EQ(window->palette().color(QPalette::Window),
              QApplication::palette(window.get()).color(QPalette::Window));
}

} // namespace
