// How much of the running thread's stack is left. The parser and the interpreter recurse
// over a script, which may nest as deep as its author likes: both stop with "Out of stack
// space" while enough stack is left to unwind and report it, instead of crashing. The
// number of levels alone is no guard, since the stack may be small (`ulimit -s`) or
// already partly used by the host.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vbs {

// The running thread's stack: its lowest usable address (stacks grow down here) and its
// size; both 0 when the system does not say.
struct StackBounds {
    std::uintptr_t low = 0;
    std::size_t size = 0;
};
StackBounds threadStack();

// The lowest address the stack may reach before `reserve` bytes are all that is left, or
// 0 when the stack is unknown. On a stack smaller than `share` times the reserve, the
// reserve is that part of the stack instead (a quarter for a share of 4): there a script
// nests less deep, but it still runs.
std::uintptr_t stackFloor(std::size_t reserve, std::size_t share);

// Whether the stack has grown past `floor` (stackFloor's answer; 0 never is).
[[gnu::always_inline]] inline bool stackPast(std::uintptr_t floor) {
    char probe;
    return reinterpret_cast<std::uintptr_t>(&probe) < floor;
}

} // namespace vbs
