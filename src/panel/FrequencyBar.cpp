// The frequency scroll bar's range, steps and MHz view of its value.
#include "panel/FrequencyBar.h"

#include "panel/frequency_rules.h"

namespace panel {
namespace {

constexpr int smallStep = 1;
constexpr int largeStep = 2;

} // namespace

FrequencyBar::FrequencyBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setRange(-highestMhz, -lowestMhz);
    setSingleStep(smallStep);
    setPageStep(largeStep);
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QScrollBar::valueChanged, this,
            [this](int negated) { emit frequencyChanged(-negated); });
}

void FrequencyBar::setFrequency(int mhz) {
    if (mhz < lowestMhz || mhz > highestMhz)
        throw ValueRefused("Invalid property value");
    setValue(-mhz);
}

} // namespace panel
