#include "cassettes/wave_frm.h"
#include "platform/virtual_wave_device.h"
#include "tests/cassettes/fake_host.h"
#include "tests/support/gui_wait.h"
#include "tests/support/x11_test.h"

namespace {

class DockingTest : public X11Test {
protected:
    void MoveMouseTo(QPoint at) {
        RunX11Tool("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y())});
    }
};

TEST_F(DockingTest, DraggingACassetteNearItsDockingPointDocksItAndAwayUndocksIt) {
    VirtualWaveDevices devices;
    FakeHost host;
    ShowAndWait(&host.main);
    auto* cassette = new TWaveFrm(host);
    cassette->move(host.main.frameGeometry().topLeft() + QPoint(420, 320));
    ShowAndWait(cassette);

    // On the label, inside the cassette's shape.
    const QPoint start = cassette->pos();
    const QPoint grip = start + QPoint(80, 20);
    MoveMouseTo(grip);
    PressMouseButton(1);
    ASSERT_TRUE(WaitOnGuiThread([&] { return cassette->Dragging(); }, 5000));

    // 10 pixels from the docking point: within the snap distance of 15.
    const QPoint near = cassette->DockingPoint() + QPoint(8, 6);
    MoveMouseTo(grip + (near - start));
    ASSERT_TRUE(WaitOnGuiThread([&] { return host.docked == cassette; }, 5000));
    EXPECT_EQ(cassette->pos(), cassette->DockingPoint());
    EXPECT_FALSE(cassette->Gliding());

    // 20 pixels away: undocked, and the window follows the mouse again.
    const QPoint away = cassette->DockingPoint() + QPoint(16, 12);
    MoveMouseTo(grip + (away - start));
    ASSERT_TRUE(WaitOnGuiThread([&] { return host.docked == nullptr; }, 5000));
    ASSERT_TRUE(WaitOnGuiThread([&] { return cassette->pos() == away; }, 5000));

    const int before = host.broughtToFront;
    ReleaseMouseButton(1);
    ASSERT_TRUE(WaitOnGuiThread([&] { return !cassette->Dragging(); }, 5000));
    EXPECT_EQ(host.broughtToFront, before + 1);
}

} // namespace
