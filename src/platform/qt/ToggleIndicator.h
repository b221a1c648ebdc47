// The busy indicator: a two-state lamp that reads "Ready" when set true and "Processing"
// when set false. The program only ever sets its one value; it has no events of its own.
#pragma once

#include <QWidget>

namespace platform {

class ToggleIndicator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool value READ value WRITE setValue)

public:
    explicit ToggleIndicator(QWidget* parent = nullptr);

    bool value() const { return value_; }
    void setValue(bool on);
    // The words the lamp shows in its present state.
    QString text() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Ready until the first action says otherwise: the panel is idle when it opens.
    bool value_ = true;
};

} // namespace platform
