// Intrusive reference counting for the interpreter's shared objects: values,
// data handlers and syntax nodes. The interpreter runs on one thread, so the
// count is a plain integer: copying a VornRef costs one increment, not an
// atomic operation, and an object plus its count is a single allocation.
// Objects derive from VornRefCounted and are created with makeref<T>(...).
#pragma once

#include <cstdint>
#include <utility>

namespace vornscript {

class VornRefCounted {
public:
    VornRefCounted() = default;
    // A copied object starts with its own count of zero.
    VornRefCounted(const VornRefCounted&) : refcount_(0) {}
    VornRefCounted& operator=(const VornRefCounted&) { return *this; }
    virtual ~VornRefCounted() = default;

    void addref() const { ++refcount_; }
    void release() const {
        if (--refcount_ == 0) {
            delete this;
        }
    }
    int32_t refcount() const { return refcount_; }

private:
    mutable int32_t refcount_ = 0;
};

// Shared pointer to a VornRefCounted object; behaves like std::shared_ptr
// for the operations the interpreter uses.
template <class T> class VornRef {
public:
    VornRef() = default;
    VornRef(std::nullptr_t) {}
    explicit VornRef(T* object) : object_(object) { acquire(); }
    VornRef(const VornRef& other) : object_(other.object_) { acquire(); }
    VornRef(VornRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U> VornRef(const VornRef<U>& other) : object_(other.get()) { acquire(); }
    template <class U> VornRef(VornRef<U>&& other) noexcept : object_(other.detach()) {}
    ~VornRef() { drop(); }

    VornRef& operator=(const VornRef& other) {
        T* previous = object_;
        object_ = other.object_;
        acquire();
        if (previous != nullptr) {
            previous->release();
        }
        return *this;
    }
    VornRef& operator=(VornRef&& other) noexcept {
        if (this != &other) {
            drop();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    VornRef& operator=(std::nullptr_t) {
        reset();
        return *this;
    }

    T* get() const { return object_; }
    T& operator*() const { return *object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void reset() {
        drop();
        object_ = nullptr;
    }
    // Gives up ownership without releasing; used by converting moves.
    T* detach() { return std::exchange(object_, nullptr); }
    // True when this is the only holder, so the object may be changed in place.
    bool unique() const { return object_ != nullptr && object_->refcount() == 1; }

    friend bool operator==(const VornRef& a, const VornRef& b) { return a.object_ == b.object_; }
    friend bool operator==(const VornRef& a, std::nullptr_t) { return a.object_ == nullptr; }

private:
    void acquire() {
        if (object_ != nullptr) {
            object_->addref();
        }
    }
    void drop() {
        if (object_ != nullptr) {
            object_->release();
        }
    }

    T* object_ = nullptr;
};

template <class T, class... Args> VornRef<T> makeref(Args&&... args) {
    return VornRef<T>(new T(std::forward<Args>(args)...));
}

// Downcast of a VornRef (the caller knows the dynamic type).
template <class T, class U> VornRef<T> staticrefcast(const VornRef<U>& from) {
    return VornRef<T>(static_cast<T*>(from.get()));
}
template <class T, class U> VornRef<T> dynamicrefcast(const VornRef<U>& from) {
    return VornRef<T>(dynamic_cast<T*>(from.get()));
}

} // namespace vornscript
