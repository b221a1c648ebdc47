// The storage of the running procedure calls: one stack of Values and one of slot
// pointers, taken and given back in call order, so a call allocates nothing once the
// stack has grown to the script's deepest recursion. The stack is made of chunks that
// never move, because a ByRef parameter holds a pointer into its caller's region.
// Values not in use are always Empty and their slots point at them; a region is put back
// that way before it is given back, and while it is emptied (which may run
// Class_Terminate and so more calls) the new calls take room above it.
#pragma once

#include "vbscript/value.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace vbs {

class FrameStack {
    struct Chunk;

public:
    // One call's storage: slot i points at values[i], or at the caller's variable for a
    // ByRef parameter.
    struct Region {
        Value* values = nullptr;
        Value** pointers = nullptr; // the slots
        std::size_t size = 0;
        std::size_t bindable = 0; // the first slots, which may be pointed elsewhere
        // Where the stack's top was before the push.
        Chunk* chunk = nullptr;
        std::size_t top = 0;
    };

    Region push(std::size_t size, std::size_t bindable) {
        Region r{nullptr, nullptr, size, bindable, current_, top_};
        if (!current_ || top_ + size > current_->capacity)
            moveToNextChunk(size);
        r.values = current_->values.get() + top_;
        r.pointers = current_->pointers.get() + top_;
        top_ += size;
        return r;
    }

    // Empties the region's values, points its slots at them again, and gives its room back
    // (with all pushed after it).
    void pop(const Region& r) {
        // Read once: `r` may be in a frame the stores below could reach, for all the
        // compiler knows.
        Value* const values = r.values;
        Value** const pointers = r.pointers;
        Chunk* const chunk = r.chunk;
        const std::size_t size = r.size;
        const std::size_t bindable = r.bindable;
        const std::size_t top = r.top;
        for (std::size_t i = 0; i < bindable; ++i)
            pointers[i] = &values[i];
        for (Value *v = values, *end = values + size; v != end; ++v)
            v->clear();
        current_ = chunk;
        top_ = top;
    }

private:
    // Makes the next chunk, one with room for `size` values, the top.
    void moveToNextChunk(std::size_t size);

    // Values per chunk: a few thousand calls of a typical procedure.
    static constexpr std::size_t kChunkValues = 16384;

    struct Chunk {
        Chunk(std::size_t n, std::size_t i)
            : values(std::make_unique<Value[]>(n)), pointers(std::make_unique<Value*[]>(n)),
              capacity(n), index(i) {
            for (std::size_t k = 0; k < n; ++k)
                pointers[k] = &values[k];
        }
        std::unique_ptr<Value[]> values;
        std::unique_ptr<Value*[]> pointers;
        std::size_t capacity;
        std::size_t index; // in chunks_
    };

    std::vector<std::unique_ptr<Chunk>> chunks_;
    Chunk* current_ = nullptr; // null until the first push
    std::size_t top_ = 0;
};

} // namespace vbs
