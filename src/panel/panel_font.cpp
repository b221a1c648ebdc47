// Sets a window's font to the desktop family at the panel's point size.
#include "panel/panel_font.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

namespace panel {
namespace {

constexpr double dialogPointSize = 8.25;
constexpr double headingPointSize = 9.75;

} // namespace

void usePanelFont(QWidget& window) {
    QFont font = QApplication::font();
    font.setPointSizeF(dialogPointSize);
    font.setStretch(QFont::SemiCondensed);
    window.setFont(font);
}

void useHeadingFont(QWidget& label) {
    QFont font = label.font();
    font.setPointSizeF(headingPointSize);
    label.setFont(font);
}

} // namespace panel
