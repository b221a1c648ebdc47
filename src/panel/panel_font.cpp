// Sets a window's font to the panel's family, width and point size.
#include "panel/panel_font.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

namespace panel {
namespace {

constexpr double dialogPointSize = 8.25;
constexpr double headingPointSize = 9.75;
constexpr double twoLineCaptionPointSize = 7.5;
constexpr const char* panelFamily = "Liberation Sans";

} // namespace

void usePanelFont(QWidget& window) {
    QFont font = QApplication::font();
    font.setFamilies({QString::fromLatin1(panelFamily), QApplication::font().family()});
    font.setPointSizeF(dialogPointSize);
    font.setStretch(QFont::SemiCondensed);
    window.setFont(font);
}

void useHeadingFont(QWidget& label) {
    QFont font = label.font();
    font.setPointSizeF(headingPointSize);
    label.setFont(font);
}

void useTwoLineCaptionFont(QWidget& label) {
    QFont font = label.font();
    font.setPointSizeF(twoLineCaptionPointSize);
    label.setFont(font);
}

} // namespace panel
