// Deleting reference-counted cells without recursion (see ref.h).
#include "vbscript/ref.h"

namespace vbs {

void RefCounted::destroy(RefCounted* cell) noexcept {
    // Cells whose deletion was asked for while another deletion is running, linked
    // through the cells themselves.
    thread_local RefCounted* pending = nullptr;
    thread_local bool deleting = false;
    if (deleting) {
        cell->nextDoomed_ = pending;
        pending = cell;
        return;
    }
    deleting = true;
    delete cell;
    while (pending) {
        RefCounted* next = pending;
        pending = next->nextDoomed_;
        delete next;
    }
    deleting = false;
}

} // namespace vbs
