// Deleting reference-counted cells without recursion (see ref.h).
#include "vbscript/ref.h"

#include <vector>

namespace vbs {

void RefCounted::destroy(RefCounted* cell) noexcept {
    thread_local std::vector<RefCounted*> pending;
    thread_local bool draining = false;
    pending.push_back(cell);
    if (draining)
        return;
    draining = true;
    while (!pending.empty()) {
        RefCounted* next = pending.back();
        pending.pop_back();
        delete next;
    }
    draining = false;
}

} // namespace vbs
