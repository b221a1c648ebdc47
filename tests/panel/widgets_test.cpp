// The panel's own controls: the frequency bar and the busy indicator.
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "panel/FrequencyBar.h"
#include "platform/qt/ToggleIndicator.h"

namespace panel {
namespace {

TEST(FrequencyBarTest, RefusesValuesOutsideOneToThirty) {
    FrequencyBar bar;
    bar.setFrequency(12);
    EXPECT_THROW(bar.setFrequency(0), ValueRefused);
    EXPECT_THROW(bar.setFrequency(31), ValueRefused);
    EXPECT_THROW(bar.setFrequency(32), ValueRefused);
    EXPECT_EQ(bar.frequency(), 12);
}

TEST(FrequencyBarTest, ReportsOnlyRealChanges) {
    FrequencyBar bar;
    QSignalSpy changes(&bar, &FrequencyBar::frequencyChanged);
    bar.setFrequency(5);
    bar.setFrequency(5);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0][0].toInt(), 5);
}

TEST(FrequencyBarTest, HasThirtyMegahertzAtTheTop) {
    FrequencyBar bar;
    EXPECT_FALSE(bar.hasTracking()); // a drag reports on release
    bar.setFrequency(30);
    EXPECT_EQ(bar.value(), bar.minimum()); // Qt's top end
    bar.setFrequency(1);
    EXPECT_EQ(bar.value(), bar.maximum());
}

TEST(FrequencyBarTest, StepsUpwardsTowardsThirtyMegahertz) {
    FrequencyBar bar;
    bar.setFrequency(10);
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub); // the upper arrow
    EXPECT_EQ(bar.frequency(), 11);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd); // the track below the thumb
    EXPECT_EQ(bar.frequency(), 9);
}

TEST(ToggleIndicatorTest, ShowsReadyWhenTrueAndProcessingWhenFalse) {
    platform::ToggleIndicator indicator;
    EXPECT_EQ(indicator.text(), "Ready"); // idle when the panel opens
    indicator.setValue(false);
    EXPECT_EQ(indicator.text(), "Processing");
    EXPECT_FALSE(indicator.property("value").toBool());
    indicator.setValue(true);
    EXPECT_EQ(indicator.text(), "Ready");
}

} // namespace
} // namespace panel
