// A push button whose caption wraps over several lines, with its picture (if any)
// above the caption, as the panel's tall square buttons need.
#pragma once

#include <QPushButton>

namespace panel {

class CaptionButton : public QPushButton {
    Q_OBJECT

public:
    explicit CaptionButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace panel
