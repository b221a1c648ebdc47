// The panel's pictures (window icon, logo, pencil) are compiled into the panel library;
// a static library's resources must be registered before the first window uses them.
#pragma once

namespace panel {

void loadPanelResources();

} // namespace panel
