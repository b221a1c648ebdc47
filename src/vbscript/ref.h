// Reference counting for the engine's shared heap cells (strings, arrays, objects).
// The count is intrusive and not atomic: one engine runs on one thread. A cell decides
// itself what happens when its last reference goes, which is how a script object runs
// its Class_Terminate at exactly that moment.
#pragma once

#include <cstdint>
#include <utility>

namespace vbs {

class RefCounted {
public:
    RefCounted() = default;
    // A copy is a new cell with no references yet.
    RefCounted(const RefCounted&) {}
    RefCounted& operator=(const RefCounted&) = delete;
    virtual ~RefCounted() = default;

    void addRef() noexcept { ++refs_; }
    void release() noexcept {
        if (--refs_ == 0)
            lastReferenceGone();
    }
    std::uint32_t refCount() const noexcept { return refs_; }

protected:
    virtual void lastReferenceGone() noexcept { destroy(this); }
    // Deletes a cell. Deleting one cell can drop the last reference to others (a long
    // linked list of objects, arrays nested in arrays); those are deleted one after the
    // other rather than from inside each other, so the stack stays flat however long the
    // chain is. Nothing is allocated to do so: a release never fails, even when memory
    // has run out.
    static void destroy(RefCounted* cell) noexcept;

private:
    union {
        std::uint32_t refs_ = 0;
        // While the cell waits to be deleted (its count is 0): the next cell waiting.
        RefCounted* nextDoomed_;
    };
};

// An owning pointer to a RefCounted cell.
template <typename T> class Ref {
public:
    Ref() = default;
    Ref(T* p) : p_(p) {
        if (p_)
            p_->addRef();
    }
    Ref(const Ref& o) : Ref(o.p_) {}
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <typename U> Ref(const Ref<U>& o) : Ref(static_cast<T*>(o.get())) {}
    ~Ref() {
        if (p_)
            p_->release();
    }
    // The old cell is released last: its going may run script code (Class_Terminate),
    // which must find this reference already holding its new cell.
    Ref& operator=(const Ref& o) noexcept {
        if (o.p_)
            o.p_->addRef();
        if (T* old = std::exchange(p_, o.p_))
            old->release();
        return *this;
    }
    Ref& operator=(Ref&& o) noexcept {
        if (this != &o)
            if (T* old = std::exchange(p_, std::exchange(o.p_, nullptr)))
                old->release();
        return *this;
    }
    void reset() noexcept {
        if (T* old = std::exchange(p_, nullptr))
            old->release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    bool operator==(const Ref& o) const { return p_ == o.p_; }

private:
    T* p_ = nullptr;
};

template <typename T, typename... A> Ref<T> makeRef(A&&... a) {
    return Ref<T>(new T(std::forward<A>(a)...));
}

} // namespace vbs
