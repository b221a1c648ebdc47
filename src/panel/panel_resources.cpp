// Registers the panel's compiled-in pictures once.
#include "panel/panel_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a global symbol, so it is called outside any namespace.
static void initPanelResources() {
    Q_INIT_RESOURCE(panel);
}

namespace panel {

void loadPanelResources() {
    static const bool loaded = (initPanelResources(), true);
    (void)loaded;
}

} // namespace panel
