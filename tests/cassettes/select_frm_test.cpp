#include "actions/dialog_state.h"
#include "cassettes/qvr_window_list.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/select_frm.h"
#include "cassettes/wave_frm.h"
#include "dialogs/input_frm.h"
#include "platform/virtual_keys.h"
#include "platform/virtual_wave_device.h"
#include "tests/actions/bound_key.h"
#include "tests/cassettes/fake_host.h"
#include "tests/dialogs/modal.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
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
    // A handler that records the windows chosen.
    std::function<void(TQvrBaseFrm*)> Record() {
        return [this](TQvrBaseFrm* window) { chosen.push_back(window); };
    }

    ~SelectFrmTest() override { DeleteClosedDialogs(); }

    std::vector<TQvrBaseFrm*> chosen;
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
    select.Choose(Record());
    // Open and modal when Choose returns: the choice comes later.
    EXPECT_EQ(QApplication::activeModalWidget(), &select);
    EXPECT_TRUE(DialogOfOursOpen());
    EXPECT_TRUE(chosen.empty());
    select.ListBox1->setCurrentRow(0);
    input.Hold({VkReturn});
    select.btOK->click();
    EXPECT_FALSE(select.isVisible());
    EXPECT_EQ(chosen, (std::vector<TQvrBaseFrm*>{card}));
    ExpectSwallowedUntilPressedAgain(input, returnKey);
}

TEST_F(SelectFrmTest, CancelAndEscapeChooseNothingAndOkOnTheEjectEntryChoosesNoWindow) {
    Card("Verse");
    select.Choose(Record());
    select.btCancel->click();
    select.Choose(Record());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&select, &escape);
    EXPECT_FALSE(select.isVisible());
    EXPECT_TRUE(chosen.empty());

    select.Choose(Record());
    ASSERT_EQ(select.ListBox1->currentRow(), 1); // nothing docked: the eject entry
    select.btOK->click();
    EXPECT_EQ(chosen, (std::vector<TQvrBaseFrm*>{nullptr}));
}

TEST_F(SelectFrmTest, AWindowReleasedWhileTheListIsOpenIsNeitherChosenNorEjected) {
    Card("Keep");
    TRepeatFrm* released = Card("Released");
    select.Choose(Record());
    select.ListBox1->setCurrentRow(1);
    delete released;
    select.btOK->click();
    EXPECT_TRUE(chosen.empty());
}

TEST_F(SelectFrmTest, RenamingAsksWithoutWaitingAndTheListShowsTheNewTitleAfterwards) {
    Card("Verse");
    TRepeatFrm* renamed = Card("Chorus");
    select.Choose(Record());
    select.ListBox1->setCurrentRow(1);
    select.miRename->trigger();
    auto* box = OpenModal<TInputFrm>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Edit1->text(), "Chorus");
    box->Edit1->setText("Bridge");
    box->Button1->click();
    EXPECT_EQ(renamed->GetTitle(), "Bridge");
    EXPECT_EQ(Captions(), (QStringList{"Verse", "Bridge", "(Eject)"}));
    EXPECT_EQ(select.ListBox1->currentRow(), 1);
    // The list is still open for its own choice.
    EXPECT_EQ(QApplication::activeModalWidget(), &select);
    select.btCancel->click();
}

TEST_F(SelectFrmTest, ATitleGivenAfterItsWindowWasReleasedRenamesNothing) {
    Card("Verse");
    TRepeatFrm* released = Card("Chorus");
    select.RefreshList();
    select.ListBox1->setCurrentRow(1);
    select.miRename->trigger();
    const QPointer<TInputFrm> box = OpenModal<TInputFrm>();
    ASSERT_FALSE(box.isNull());
    delete released;
    box->Edit1->setText("Bridge");
    box->Button1->click();
    EXPECT_EQ(Captions(), (QStringList{"Verse", "(Eject)"}));
}

} // namespace
