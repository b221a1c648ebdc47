// The thread's stack bounds (see stack_limit.h).
#include "vbscript/stack_limit.h"

#include <pthread.h>

namespace vbs {

StackBounds threadStack() {
    // Asking is slow (for the main thread the system reads the process's memory map), and
    // a thread's stack does not move.
    thread_local const StackBounds bounds = [] {
        StackBounds b;
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) != 0)
            return b;
        void* addr = nullptr;
        std::size_t size = 0;
        if (pthread_attr_getstack(&attr, &addr, &size) == 0) {
            b.low = reinterpret_cast<std::uintptr_t>(addr);
            b.size = size;
        }
        pthread_attr_destroy(&attr);
        return b;
    }();
    return bounds;
}

std::uintptr_t stackFloor(std::size_t reserve, std::size_t share) {
    StackBounds stack = threadStack();
    if (stack.low == 0)
        return 0;
    if (stack.size < share * reserve)
        reserve = stack.size / share;
    return stack.low + reserve;
}

} // namespace vbs
