// Draws the busy indicator: green "Ready", amber "Processing", readable at a glance on
// the bench and in a grey-scale screenshot alike (the words change, not only the colour).
#include "platform/qt/ToggleIndicator.h"

#include <QPainter>

namespace platform {
namespace {

const QColor readyColour(0x3c, 0xa0, 0x46);
const QColor busyColour(0xe8, 0x9a, 0x1c);
constexpr int cornerRadius = 4;

} // namespace

ToggleIndicator::ToggleIndicator(QWidget* parent) : QWidget(parent) {}

void ToggleIndicator::setValue(bool on) {
    if (on == value_)
        return;
    value_ = on;
    update();
}

QString ToggleIndicator::text() const {
    return value_ ? QStringLiteral("Ready") : QStringLiteral("Processing");
}

QSize ToggleIndicator::sizeHint() const {
    return {81, 25};
}

void ToggleIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lamp = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor fill = value_ ? readyColour : busyColour;
    painter.setPen(fill.darker(150));
    painter.setBrush(fill);
    painter.drawRoundedRect(lamp, cornerRadius, cornerRadius);
    painter.setPen(value_ ? Qt::white : Qt::black);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace platform
