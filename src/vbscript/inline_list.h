// A fixed-length list that keeps up to N elements inside itself and only goes to the
// heap for more. The interpreter evaluates every call's arguments into one: calls rarely
// pass more than a few, so a call allocates nothing for them.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace vbs {

template <typename T, std::size_t N> class InlineList {
public:
    explicit InlineList(std::size_t size) : size_(size) {
        if (size > N)
            spill_.resize(size);
    }

    T* data() { return size_ > N ? spill_.data() : inline_.data(); }
    const T* data() const { return size_ > N ? spill_.data() : inline_.data(); }
    T* begin() { return data(); }
    T* end() { return data() + size_; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t i) { return data()[i]; }
    const T& operator[](std::size_t i) const { return data()[i]; }

private:
    std::array<T, N> inline_;
    std::vector<T> spill_;
    std::size_t size_;
};

} // namespace vbs
