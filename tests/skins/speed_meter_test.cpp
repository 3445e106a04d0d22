#include "skins/speed_meter.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>

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
                               40, 40}),
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
}

struct PaintCase {
    const char* name;
    int min;
    int max;
    int position;
    int tickCount;
    bool minimumTipPainted;
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
    QImage image(meter.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    meter.render(&image, {}, {}, QWidget::DrawChildren);

    const auto red = qRgb(255, 0, 0);
    EXPECT_EQ(image.pixel(meter.Centre()), red);
    EXPECT_EQ(image.pixel(meter.Tip(0)) == red, test.minimumTipPainted);
    EXPECT_EQ(image.pixel(meter.Tip(0.5)) == red, test.tickCount % 2 == 0 && test.tickCount > 0);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(99, 59), qRgb(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(Meters, SpeedMeterPaintTest,
                         testing::Values(PaintCase{"HandAtMaximumWithTicks", 10, 500, 500, 8, true},
                                         PaintCase{"HandAloneWithoutTicks", 10, 500, 500, 0, false},
                                         PaintCase{"EqualRangeRestsAtMinimum", 40, 40, 40, 0,
                                                   true}),
                         [](const auto& info) { return info.param.name; });

} // namespace
