// The frame stack's growth (see frame_stack.h).
#include "vbscript/frame_stack.h"

#include <algorithm>

namespace vbs {

void FrameStack::moveToNextChunk(std::size_t size) {
    std::size_t next = current_ ? current_->index + 1 : 0;
    // A chunk too small for this frame (only a huge procedure needs more than a chunk) is
    // replaced by one that fits; the chunks after the top are all free.
    if (next < chunks_.size() && chunks_[next]->capacity < size)
        chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(next), chunks_.end());
    if (next == chunks_.size())
        chunks_.push_back(std::make_unique<Chunk>(std::max(size, kChunkValues), next));
    current_ = chunks_[next].get();
    top_ = 0;
}

} // namespace vbs
