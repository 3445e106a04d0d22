#include "actions/button_hint.h"
#include "actions/messages.h"
#include "skins/skin_functions.h"
#include "skins/speed_hints.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(SpeedHintsTest, TheMeterAndTheRatioBarSayWhatTheRatioMeans) {
    QWidget window;
    TSkinControlGroups groups;
    const TSkinFunction meterParts[] = {TSkinFunction::SpeedMeter, TSkinFunction::Velocity,
                                        TSkinFunction::SpeedMeterLabel};
    for (const TSkinFunction function : meterParts) {
        groups[function].Add(new QWidget(&window));
    }
    groups[TSkinFunction::Ratio].Add(new QWidget(&window));
    groups[TSkinFunction::TransposeLabel].Add(new QWidget(&window));
    auto* other = new QWidget(&window);
    groups[TSkinFunction::PlayingPosition].Add(other);

    ApplySpeedHints(groups, hlLong);
    for (const TSkinFunction function : meterParts) {
        EXPECT_EQ(groups[function].Item(0)->toolTip(), RHINT_SPEED);
    }
    EXPECT_TRUE(RHINT_SPEED.contains("150 % = half as long again, slower"));
    EXPECT_EQ(groups[TSkinFunction::Ratio].Item(0)->toolTip(), RHINT_SCROLLBAR_RATIO);
    EXPECT_EQ(groups[TSkinFunction::TransposeLabel].Item(0)->toolTip(), RHINT_TRANSPOSE);
    EXPECT_TRUE(other->toolTip().isEmpty());

    ApplySpeedHints(groups, hlShort);
    EXPECT_EQ(groups[TSkinFunction::SpeedMeter].Item(0)->toolTip(), "Ratio of Time Expanding ");
    ApplySpeedHints(groups, hlDismiss);
    EXPECT_TRUE(groups[TSkinFunction::SpeedMeterLabel].Item(0)->toolTip().isEmpty());
}

} // namespace
