// Paints the button's frame through the style, then the picture and the wrapped caption.
#include "panel/CaptionButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace panel {
namespace {

constexpr int margin = 3;

} // namespace

CaptionButton::CaptionButton(QWidget* parent) : QPushButton(parent) {}

void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect area = rect().adjusted(margin, margin, -margin, -margin);
    if (isDown())
        area.translate(1, 1);
    if (!icon().isNull()) {
        const QSize size = iconSize();
        const QRect picture(area.left() + (area.width() - size.width()) / 2, area.top(),
                            size.width(), size.height());
        icon().paint(&painter, picture, Qt::AlignCenter,
                     isEnabled() ? QIcon::Normal : QIcon::Disabled);
        area.setTop(picture.bottom() + 1);
    }
    style()->drawItemText(&painter, area, Qt::AlignCenter | Qt::TextWordWrap, palette(),
                          isEnabled(), text(), QPalette::ButtonText);
}

} // namespace panel
