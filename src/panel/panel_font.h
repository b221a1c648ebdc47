// The panel's windows keep fixed control sizes laid out for a narrow 8.25-point dialog
// font. A desktop's own font (DejaVu Sans, Cantarell, Noto Sans) is wider and cut
// captions off at their boxes' edges, differently on every desktop. So the panel uses
// one family that the package brings along (fonts-liberation): Liberation Sans, which
// has Arial's metrics, semi-condensed, so that every caption fits its box. Without it,
// the desktop's family stands in.
#pragma once

class QWidget;

namespace panel {

void usePanelFont(QWidget& window);
// A heading at the panel's larger size, 9.75 points, in the same family and width.
void useHeadingFont(QWidget& label);
// A caption that wraps onto two lines in a box 25 pixels high: two lines at the panel's
// size need a third of a pixel more than that, a quarter point less fits them.
void useTwoLineCaptionFont(QWidget& label);

} // namespace panel
