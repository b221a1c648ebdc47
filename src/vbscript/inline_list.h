// A fixed-length list that keeps up to N elements inside itself and only goes to the
// heap for more. The interpreter evaluates every call's arguments into one: calls rarely
// pass more than a few, so a call allocates nothing for them. Only the elements in use
// are constructed, so a list of one costs one element, not N.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace vbs {

template <typename T, std::size_t N> class InlineList {
public:
    explicit InlineList(std::size_t size) : size_(size) {
        if (size > N)
            spill_.resize(size);
        else
            std::uninitialized_value_construct_n(inlineData(), size);
    }
    InlineList(InlineList&& other) noexcept : size_(other.size_) {
        if (size_ > N)
            spill_ = std::move(other.spill_);
        else
            std::uninitialized_move_n(other.inlineData(), size_, inlineData());
    }
    InlineList(const InlineList&) = delete;
    InlineList& operator=(const InlineList&) = delete;
    InlineList& operator=(InlineList&&) = delete;
    ~InlineList() {
        if (size_ <= N)
            std::destroy_n(inlineData(), size_);
    }

    T* data() { return size_ > N ? spill_.data() : inlineData(); }
    const T* data() const { return size_ > N ? spill_.data() : inlineData(); }
    T* begin() { return data(); }
    T* end() { return data() + size_; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t i) { return data()[i]; }
    const T& operator[](std::size_t i) const { return data()[i]; }

private:
    T* inlineData() { return std::launder(reinterpret_cast<T*>(storage_)); }
    const T* inlineData() const { return std::launder(reinterpret_cast<const T*>(storage_)); }

    alignas(T) std::byte storage_[N * sizeof(T)];
    std::vector<T> spill_;
    std::size_t size_;
};

} // namespace vbs
