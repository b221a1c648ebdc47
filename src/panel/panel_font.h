// The panel's windows keep fixed control sizes laid out for a narrow 8.25-point dialog
// font. They use the desktop's own font family at that size, semi-condensed where the
// family has such a face, so the captions fit their boxes.
#pragma once

class QWidget;

namespace panel {

void usePanelFont(QWidget& window);
// A heading at the panel's larger size, 9.75 points, in the same family and width.
void useHeadingFont(QWidget& label);

} // namespace panel
