#include "cassettes/qvr_window_list.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/select_frm.h"
#include "cassettes/wave_frm.h"
#include "platform/virtual_keys.h"
#include "platform/virtual_wave_device.h"
#include "tests/actions/bound_key.h"
#include "tests/cassettes/fake_host.h"
#include "tests/dialogs/modal.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class SelectFrmTest : public testing::Test {
protected:
    TWaveFrm* Cassette(const QString& title, std::int32_t recordedAt = -1) {
        auto* cassette = new TWaveFrm(host);
        cassette->SetTitle(title);
        cassette->RepeatStartTimeOnFile = recordedAt;
        return cassette;
    }

    TRepeatFrm* Card(const QString& title) {
        auto* card = new TRepeatFrm(host);
        card->SetTitle(title);
        return card;
    }

    QStringList Captions() const {
        QStringList captions;
        for (int i = 0; i < select.ListBox1->count(); ++i) {
            captions.append(select.ListBox1->item(i)->text());
        }
        return captions;
    }

    VirtualWaveDevices devices;
    FakeHost host;
    int refreshes = 0;
    // The controller's periodic refresh releases the windows queued for closing.
    TSelectFrm select{host, [this] {
                          ++refreshes;
                          for (TQvrBaseFrm* window : host.closeQueue) {
                              delete window;
                          }
                          host.closeQueue.clear();
                      }};
};

TEST_F(SelectFrmTest, UntitledWindowsAreNumberedPerKindInListOrderAndTheDockedOneIsSelected) {
    Cassette("");
    Cassette("");
    TWaveFrm* titled = Cassette("Chorus");
    Card("");
    Cassette("");
    host.docked = titled;
    select.RefreshList();
    EXPECT_EQ(Captions(), (QStringList{"Recorded Data 1", "Recorded Data 2", "Chorus",
                                       "Repeat Section 1", "Recorded Data 3", "(Eject)"}));
    EXPECT_EQ(select.SelectedWindow(), titled);
    EXPECT_EQ(select.windowTitle(), "Cassette Manager");
}

TEST_F(SelectFrmTest, WithNothingDockedTheEjectEntryIsSelectedAndCannotBeRenamedOrDeleted) {
    TRepeatFrm* card = Card("Verse");
    select.RefreshList();
    EXPECT_EQ(select.ListBox1->currentRow(), 1);
    EXPECT_EQ(select.SelectedWindow(), nullptr);
    EXPECT_TRUE(select.btOK->isEnabled());
    select.PopupMenuPopup();
    EXPECT_FALSE(select.miRename->isEnabled());
    EXPECT_FALSE(select.miDelete->isEnabled());

    select.ListBox1->setCurrentRow(0);
    select.PopupMenuPopup();
    EXPECT_TRUE(select.miRename->isEnabled());
    EXPECT_TRUE(select.miDelete->isEnabled());
    EXPECT_EQ(select.SelectedWindow(), card);
}

TEST_F(SelectFrmTest, DragsMoveWindowsOnlyAmongWindowsAndTheListOrderBecomesTheWindowOrder) {
    TWaveFrm* a = Cassette("A");
    TWaveFrm* b = Cassette("B");
    TRepeatFrm* c = Card("C");
    const std::vector<TQvrBaseFrm*> before{a, b, c};
    select.RefreshList();
    const struct {
        int source, target;
        bool accepted;
    } refused[] = {
        {0, 3, false}, // onto the eject entry
        {0, 4, false}, // below the last entry
        {3, 0, false}, // the eject entry itself
        {-1, 1, false}, {1, -1, false},
    };
    for (const auto& drag : refused) {
        select.ListBox1->setCurrentRow(drag.source);
        select.ListBox1Click();
        ASSERT_EQ(select.DragSourceIndex(), drag.source);
        EXPECT_FALSE(select.ListBox1DragOver(drag.target)) << drag.source << " " << drag.target;
        select.ListBox1->setCurrentRow(drag.source);
        select.ListBox1DragDrop(drag.target);
        EXPECT_EQ(QvrWindows(), before) << drag.source << " " << drag.target;
        EXPECT_EQ(Captions(), (QStringList{"A", "B", "C", "(Eject)"}));
    }

    select.ListBox1->setCurrentRow(0);
    select.ListBox1Click();
    EXPECT_TRUE(select.ListBox1DragOver(2));
    EXPECT_EQ(select.ListBox1->currentRow(), 2);
    select.ListBox1DragDrop(2);
    EXPECT_EQ(Captions(), (QStringList{"B", "C", "A", "(Eject)"}));
    EXPECT_EQ(select.ListBox1->currentRow(), 2);
    EXPECT_EQ(QvrWindows(), (std::vector<TQvrBaseFrm*>{b, c, a}));
    EXPECT_EQ(b->CreateIndex, 1);
    EXPECT_EQ(c->CreateIndex, 2);
    EXPECT_EQ(a->CreateIndex, 3);
    EXPECT_EQ(Cassette("D")->CreateIndex, 4);
}

TEST_F(SelectFrmTest, SortingReordersTheWindowsStablyAndRenumbersTheUntitledOnes) {
    TWaveFrm* late = Cassette("", 9000);
    TWaveFrm* lower = Cassette("a", 5000);
    TWaveFrm* early = Cassette("", 1000);
    TWaveFrm* upper = Cassette("B", 5000);
    select.RefreshList();
    EXPECT_EQ(Captions(), (QStringList{"Recorded Data 1", "a", "Recorded Data 2", "B", "(Eject)"}));

    select.SortByRecordedPosition();
    EXPECT_EQ(Captions(), (QStringList{"Recorded Data 1", "a", "B", "Recorded Data 2", "(Eject)"}));
    EXPECT_EQ(QvrWindows(), (std::vector<TQvrBaseFrm*>{early, lower, upper, late}));

    // Case counts: "B" before "a"; untitled first, in the order they had.
    select.SortAlphabetically();
    EXPECT_EQ(QvrWindows(), (std::vector<TQvrBaseFrm*>{early, late, upper, lower}));
    EXPECT_EQ(Captions(), (QStringList{"Recorded Data 1", "Recorded Data 2", "B", "a", "(Eject)"}));
    EXPECT_EQ(early->CreateIndex, 1);
    EXPECT_EQ(lower->CreateIndex, 4);
}

TEST_F(SelectFrmTest, DeleteQueuesTheWindowAndTheListNoLongerShowsItOnceReleased) {
    Cassette("Keep");
    Card("Drop");
    select.RefreshList();
    select.ListBox1->setCurrentRow(1);
    select.miDelete->trigger();
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(QvrWindows().size(), 1u);
    EXPECT_EQ(Captions(), (QStringList{"Keep", "(Eject)"}));
}

TEST_F(SelectFrmTest, AWindowQueuedForClosingIsNotListedBeforeItIsReleased) {
    Cassette("");
    TWaveFrm* closing = Cassette("");
    Cassette("Keep");
    host.QueueClose(closing);
    select.RefreshList();
    EXPECT_EQ(Captions(), (QStringList{"Recorded Data 1", "Keep", "(Eject)"}));
}

TEST_F(SelectFrmTest, AnEntryOfAReleasedWindowNeverNamesANewWindow) {
    Card("First");
    TRepeatFrm* released = Card("Released");
    select.RefreshList();
    delete released;
    // Made while the list still shows the released one, often at its very address.
    TRepeatFrm* made = Card("Made");
    EXPECT_EQ(select.WindowAt(1), nullptr);
    EXPECT_NE(select.WindowAt(1), made);
}

TEST_F(SelectFrmTest, OkChoosesTheSelectedWindowAndTheReturnThatClosedItFiresOnlyWhenPressedAgain) {
    TRepeatFrm* card = Card("Verse");
    FakeInput input;
    BoundKey returnKey{VkReturn};
    WhenModalShown([&input](QWidget* window) {
        auto* dialog = static_cast<TSelectFrm*>(window);
        dialog->ListBox1->setCurrentRow(0);
        input.Hold({VkReturn});
        dialog->btOK->click();
    });
    EXPECT_TRUE(select.Choose());
    EXPECT_EQ(select.SelectedWindow(), card);
    ExpectSwallowedUntilPressedAgain(input, returnKey);

    WhenModalShown([](QWidget* window) { static_cast<TSelectFrm*>(window)->btCancel->click(); });
    EXPECT_FALSE(select.Choose());
}

} // namespace
