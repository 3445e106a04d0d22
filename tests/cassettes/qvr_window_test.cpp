#include "cassettes/qvr_window_list.h"
#include "cassettes/repeat_frm.h"
#include "cassettes/wave_frm.h"
#include "platform/virtual_keys.h"
#include "platform/virtual_wave_device.h"
#include "tests/actions/bound_key.h"
#include "tests/cassettes/fake_host.h"
#include "tests/support/gui_events.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <gtest/gtest.h>
#include <memory>

namespace {

class QvrWindowTest : public testing::Test {
protected:
    VirtualWaveDevices devices;
    FakeHost host;
};

QStringList Captions(const QMenu& menu) {
    QStringList captions;
    for (const QAction* item : menu.actions()) {
        captions.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    return captions;
}

// Where a window of that kind stands when docked.
QRect DockingPlace(FakeHost& host, TQvrKind kind) {
    const TSkinWindowLook& skin = host.WindowSkin(kind);
    return {host.main.frameGeometry().topLeft() + skin.DockingPoint,
            QSize(skin.Width, skin.Height)};
}

void DoubleClick(QWidget* window) {
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(20, 20),
                      window->mapToGlobal(QPointF(20, 20)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
    ProcessGuiEvents();
}

TEST_F(QvrWindowTest, WindowsNumberThemselvesAndEachKindCountsItsTitles) {
    auto* first = new TWaveFrm(host);
    auto* card = new TRepeatFrm(host);
    auto* second = new TWaveFrm(host);
    EXPECT_EQ(QvrWindows(), (std::vector<TQvrBaseFrm*>{first, card, second}));
    EXPECT_EQ(first->CreateIndex, 1);
    EXPECT_EQ(card->CreateIndex, 2);
    EXPECT_EQ(second->CreateIndex, 3);
    EXPECT_EQ(first->GetTitle(), "Recorded Data 1");
    EXPECT_EQ(card->GetTitle(), "Repeat Section 1");
    EXPECT_EQ(second->GetTitle(), "Recorded Data 2");

    // Saved data gives the windows their indexes back; new ones number on after the highest.
    first->CreateIndex = 7;
    second->CreateIndex = 5;
    SortQvrWindowsByCreateIndex();
    EXPECT_EQ(QvrWindows(), (std::vector<TQvrBaseFrm*>{card, second, first}));
    RaiseCreateIndexCounter(7);
    EXPECT_EQ((new TRepeatFrm(host))->CreateIndex, 8);

    delete card;
    EXPECT_EQ(QvrWindows().size(), 3u);
    ReleaseAllQvrWindows();
    EXPECT_TRUE(QvrWindows().empty());
    const auto* fresh = new TRepeatFrm(host);
    EXPECT_EQ(fresh->CreateIndex, 1);
    EXPECT_EQ(fresh->GetTitle(), "Repeat Section 1");
}

TEST_F(QvrWindowTest, AGlideReachesItsTargetInItsStepsSlowingDown) {
    auto* card = new TRepeatFrm(host);
    card->move(0, 0);
    card->GlideTo(QPoint(360, 720), 8);
    // 36 parts of (10, 20) pixels: 8 parts, then 7, 6, ... 1.
    const int expected[] = {80, 150, 210, 260, 300, 330, 350, 360};
    for (const int x : expected) {
        ASSERT_TRUE(card->Gliding());
        card->GlideTick();
        EXPECT_EQ(card->pos(), QPoint(x, 2 * x));
    }
    EXPECT_FALSE(card->Gliding());
    card->GlideTick();
    EXPECT_EQ(card->pos(), QPoint(360, 720));
}

TEST_F(QvrWindowTest, OnlyAWindowAwayFromTheDockingPointGlidesThere) {
    auto* card = new TRepeatFrm(host);
    const struct {
        QPoint offset;
        bool glide, glides;
    } cases[] = {
        {{10, -10}, true, false},
        {{11, 0}, true, true},
        {{0, -11}, true, true},
        {{200, 200}, false, false},
    };
    for (const auto& c : cases) {
        card->move(card->DockingPoint() + c.offset);
        card->GoToDockingPoint(c.glide);
        EXPECT_EQ(card->Gliding(), c.glides) << c.offset.x() << "," << c.offset.y();
        EXPECT_EQ(card->Gliding() ? card->GlideTarget() : card->pos(), card->DockingPoint());
    }
}

TEST_F(QvrWindowTest, MenusHoldTheirItemsAndEnableSetOrEjectByDocking) {
    auto* cassette = new TWaveFrm(host);
    auto* card = new TRepeatFrm(host);
    EXPECT_EQ(Captions(*cassette->PopupMenu),
              (QStringList{"&Save", "-", "&Set", "&Eject", "&Close", "Set &title of this window"}));
    EXPECT_EQ(Captions(*card->PopupMenu),
              (QStringList{"&Set", "&Eject", "&Close", "Set &title of this window"}));
    for (TQvrBaseFrm* window :
         {static_cast<TQvrBaseFrm*>(cassette), static_cast<TQvrBaseFrm*>(card)}) {
        for (const bool docked : {false, true}) {
            host.docked = docked ? window : nullptr;
            window->MenuPopup();
            EXPECT_EQ(window->miSet->isEnabled(), !docked);
            EXPECT_EQ(window->miEject->isEnabled(), docked);
        }
    }

    // A chosen item runs once the menu is gone.
    host.docked = nullptr;
    card->MenuPopup();
    card->miSet->trigger();
    EXPECT_EQ(host.docked, nullptr);
    ProcessGuiEvents();
    EXPECT_EQ(host.docked, card);
    card->PopupMenu->actions().at(2)->trigger();
    ProcessGuiEvents();
    EXPECT_EQ(host.closeQueue, (std::vector<TQvrBaseFrm*>{card}));
}

TEST_F(QvrWindowTest, TheKeyThatClosedTheMenuFiresOnlyWhenPressedAgain) {
    auto* card = new TRepeatFrm(host);
    FakeInput input;
    BoundKey returnKey{VkReturn};
    card->PopupMenu->popup(QPoint(100, 100));
    input.Hold({VkReturn});
    card->PopupMenu->hide();
    ExpectSwallowedUntilPressedAgain(input, returnKey);
}

TEST_F(QvrWindowTest, DoubleClickActsByTheSetting) {
    auto* card = new TRepeatFrm(host);
    card->move(600, 500);
    host.settings.WaveFrmDoubleClicked = 1;
    DoubleClick(card);
    EXPECT_EQ(host.docked, card);
    EXPECT_TRUE(card->Gliding());
    EXPECT_EQ(card->GlideTarget(), host.main.pos() + card->DockingOffset());
    DoubleClick(card);
    EXPECT_EQ(host.docked, nullptr);

    host.settings.WaveFrmDoubleClicked = 0;
    DoubleClick(card);
    EXPECT_TRUE(host.closeQueue.empty());
    host.settings.WaveFrmDoubleClicked = 3;
    DoubleClick(card);
    EXPECT_EQ(host.closeQueue, (std::vector<TQvrBaseFrm*>{card}));
}

TEST_F(QvrWindowTest, EjectSendsOnlyTheDockedWindowToAFreeSpotBesideTheOthers) {
    auto* standing = new TRepeatFrm(host);
    auto* docked = new TRepeatFrm(host);
    docked->move(docked->DockingPoint());
    host.docked = docked;
    standing->move(800, 600);
    standing->Eject();
    EXPECT_FALSE(standing->Gliding());

    // The window in the way counts where its glide ends, not where it stands now.
    standing->GlideTo(docked->FreeSpot(), 8);
    docked->Eject();
    EXPECT_EQ(host.docked, nullptr);
    ASSERT_TRUE(docked->Gliding());
    EXPECT_NE(docked->GlideTarget(), standing->GlideTarget());
    const QRect standingPlace(standing->GlideTarget(), standing->size());
    const QRect dockedPlace(docked->GlideTarget(), docked->size());
    EXPECT_FALSE(standingPlace.intersects(dockedPlace));
    EXPECT_FALSE(host.main.frameGeometry().intersects(dockedPlace));
}

TEST_F(QvrWindowTest, AnEjectedWindowLeavesBothDockingPlacesClear) {
    // Both places at the screen's top-left corner, where the search for a free spot starts.
    host.cardSkin.DockingPoint = -host.main.pos();
    host.cassetteSkin.DockingPoint = -host.main.pos() + QPoint(host.cardSkin.Width, 0);
    auto* card = new TRepeatFrm(host);
    host.DockWindow(card, false);
    ASSERT_EQ(card->pos(), QPoint(0, 0));
    card->Eject();
    ASSERT_TRUE(card->Gliding());
    const QRect place(card->GlideTarget(), card->size());
    EXPECT_FALSE(place.intersects(DockingPlace(host, TQvrKind::Card)));
    EXPECT_FALSE(place.intersects(DockingPlace(host, TQvrKind::Cassette)));
    EXPECT_FALSE(place.intersects(host.main.frameGeometry()));
}

TEST_F(QvrWindowTest, DisposeInOrderPlacesEveryUndockedWindowBeforeReturning) {
    std::vector<TQvrBaseFrm*> windows;
    for (int i = 0; i < 4; ++i) {
        windows.push_back(new TRepeatFrm(host));
        windows.back()->move(host.main.pos() + QPoint(10, 10));
    }
    host.docked = windows[1];
    DisposeInOrder(host);
    EXPECT_EQ(windows[1]->pos(), host.main.pos() + QPoint(10, 10));
    std::vector<QRect> placed;
    for (const TQvrBaseFrm* window : windows) {
        EXPECT_FALSE(window->Gliding());
        EXPECT_FALSE(window->Arranging);
        if (window == windows[1]) {
            continue;
        }
        const QRect place = window->geometry();
        EXPECT_FALSE(place.intersects(host.main.frameGeometry()));
        for (const QRect& other : placed) {
            EXPECT_FALSE(place.intersects(other));
        }
        placed.push_back(place);
    }
}

} // namespace
