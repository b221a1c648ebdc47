// Deleting reference-counted cells without recursion (see ref.h).
#include "vbscript/ref.h"

#include <vector>

namespace vbs {

void RefCounted::destroy(RefCounted* cell) noexcept {
    // Cells whose deletion was asked for while another deletion is running. The list only
    // exists during such a deletion, so nothing of it outlives the thread or the program.
    thread_local std::vector<RefCounted*>* pending = nullptr;
    thread_local bool deleting = false;
    if (deleting) {
        if (!pending)
            pending = new std::vector<RefCounted*>;
        pending->push_back(cell);
        return;
    }
    deleting = true;
    delete cell;
    while (pending && !pending->empty()) {
        RefCounted* next = pending->back();
        pending->pop_back();
        delete next;
    }
    delete pending;
    pending = nullptr;
    deleting = false;
}

} // namespace vbs
