#include "skins/speed_meter.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct SetterCase {
    const char* name;
    std::function<void(TSpeedMeter&)> set;
    int min;
    int max;
};

class SpeedMeterRangeTest : public testing::TestWithParam<SetterCase> {};

TEST_P(SpeedMeterRangeTest, KeepsTheRangeRules) {
    TSpeedMeter meter;
    GetParam().set(meter);
    EXPECT_EQ(meter.Min(), GetParam().min);
    EXPECT_EQ(meter.Max(), GetParam().max);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, SpeedMeterRangeTest,
    testing::Values(SetterCase{"MaxZeroBecomesOne", [](auto& m) { m.SetMax(0); }, 0, 1},
                    SetterCase{"NegativeMinBecomesZero", [](auto& m) { m.SetMin(-5); }, 0, 10000},
                    SetterCase{"MinAboveMaxPushesMax",
                               [](auto& m) {
                                   m.SetMax(100);
                                   m.SetMin(150);
                               },
                               150, 151},
                    SetterCase{"MaxBelowMinPullsMin",
                               [](auto& m) {
                                   m.SetMin(50);
                                   m.SetMax(20);
                               },
                               19, 20},
                    SetterCase{"MinEqualToMaxStays",
                               [](auto& m) {
                                   m.SetMax(40);
                                   m.SetMin(40);
                               },
                               40, 40},
                    // Nothing lies above the largest value to push Max to.
                    SetterCase{"MinAtTheLargestValueClosesTheRange",
                               [](auto& m) { m.SetMin(std::numeric_limits<int>::max()); },
                               std::numeric_limits<int>::max(), std::numeric_limits<int>::max()}),
    [](const auto& info) { return info.param.name; });

TEST(SpeedMeterTest, ClampsTheOtherSettings) {
    TSpeedMeter meter;
    meter.SetHandSizeByPercent(130);
    meter.SetTickCount(-1);
    meter.SetTickWidth(-2);
    meter.SetMax(500);
    meter.SetPosition(600);
    EXPECT_EQ(meter.HandSizeByPercent(), 100);
    EXPECT_EQ(meter.TickCount(), 0);
    EXPECT_EQ(meter.TickWidth(), 0);
    EXPECT_EQ(meter.Position(), 500);
    // Later range changes leave the position where it was.
    meter.SetMax(100);
    EXPECT_EQ(meter.Position(), 500);
}

TEST(SpeedMeterTest, HandGeometry) {
    TSpeedMeter meter;
    meter.resize(100, 60);
    meter.SetHandSizeByPercent(70);
    EXPECT_EQ(meter.Centre(), QPoint(50, 59));
    EXPECT_EQ(meter.Radius(), 42);
    EXPECT_EQ(meter.Tip(0), QPoint(86, 38));   // 30 degrees above the right
    EXPECT_EQ(meter.Tip(0.5), QPoint(50, 17)); // straight up
    EXPECT_EQ(meter.Tip(1), QPoint(14, 38));   // 30 degrees above the left
    // 70 per cent of 45 is 31.5 and of 35 is 24.5: halves go to the even neighbour.
    meter.resize(45, 60);
    EXPECT_EQ(meter.Radius(), 32);
    meter.resize(35, 60);
    EXPECT_EQ(meter.Radius(), 24);
}

struct PaintCase {
    const char* name;
    int min;
    int max;
    int position;
    int tickCount;
    int tickWidth;
    double handAt;
    bool handTipPainted;
};

class SpeedMeterPaintTest : public testing::TestWithParam<PaintCase> {};

TEST_P(SpeedMeterPaintTest, PaintsOnlyHandAndTicks) {
    const PaintCase& test = GetParam();
    TSpeedMeter meter;
    meter.resize(100, 60);
    meter.SetHandSizeByPercent(70);
    meter.SetHandColor(Qt::red);
    meter.SetMax(test.max);
    meter.SetMin(test.min);
    meter.SetPosition(test.position);
    meter.SetTickCount(test.tickCount);
    meter.SetTickWidth(test.tickWidth);
    QImage image(meter.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    meter.render(&image, {}, {}, QWidget::DrawChildren);

    const auto red = qRgb(255, 0, 0);
    const auto painted = [&](QPoint at) { return image.pixel(at) == red; };
    EXPECT_TRUE(painted(meter.Centre()));
    const QPoint handTip = meter.Tip(test.handAt);
    EXPECT_EQ(painted(handTip), test.handTipPainted);
    bool handReachesTheTip = false;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            handReachesTheTip |= (dx != 0 || dy != 0) && painted(handTip + QPoint(dx, dy));
        }
    }
    EXPECT_TRUE(handReachesTheTip);
    EXPECT_EQ(painted(meter.Tip(0)), test.tickCount > 0);
    EXPECT_EQ(painted(meter.Tip(0.5)), test.tickCount % 2 == 0 && test.tickCount > 0);
    EXPECT_FALSE(painted({0, 0}));
    EXPECT_FALSE(painted({99, 59}));
}

// A thin hand stops one pixel short of its tip, as a thin line leaves out its last pixel; a
// wide one ends round over it.
INSTANTIATE_TEST_SUITE_P(
    Meters, SpeedMeterPaintTest,
    testing::Values(PaintCase{"HandAtMaximumWithTicks", 10, 500, 500, 8, 1, 1.0, false},
                    PaintCase{"HandAloneWithoutTicks", 10, 500, 500, 0, 1, 1.0, false},
                    PaintCase{"EqualRangeRestsAtMinimum", 40, 40, 40, 0, 1, 0.0, false},
                    PaintCase{"WideHandCoversItsTip", 10, 500, 500, 0, 3, 1.0, true}),
    [](const auto& info) { return info.param.name; });

} // namespace
