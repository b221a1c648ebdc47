// A vertical scroll bar that stands for a frequency of 1..30 MHz, 30 MHz at the top.
// Qt's own bar grows downwards, so it runs on the negated frequency underneath; callers
// only ever see MHz. A change is reported on a click and when a drag is released, never
// during the drag. Like the panel's other controls it refuses a value it cannot show.
#pragma once

#include <QScrollBar>
#include <stdexcept>

namespace panel {

// A control was given a value outside its range.
class ValueRefused : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

class FrequencyBar : public QScrollBar {
    Q_OBJECT
    Q_PROPERTY(int frequency READ frequency WRITE setFrequency NOTIFY frequencyChanged)
    Q_PROPERTY(int lowestFrequency READ lowestFrequency CONSTANT)
    Q_PROPERTY(int highestFrequency READ highestFrequency CONSTANT)
    // Scripts see the bar in MHz too: Value, Min and Max.
    Q_CLASSINFO("Script.Value", "frequency")
    Q_CLASSINFO("Script.Min", "lowestFrequency")
    Q_CLASSINFO("Script.Max", "highestFrequency")

public:
    explicit FrequencyBar(QWidget* parent = nullptr);

    int frequency() const { return -value(); }
    int lowestFrequency() const { return -maximum(); }
    int highestFrequency() const { return -minimum(); }
    // Throws ValueRefused outside 1..30; a value equal to the one shown raises nothing.
    void setFrequency(int mhz);

signals:
    void frequencyChanged(int mhz);
};

} // namespace panel
