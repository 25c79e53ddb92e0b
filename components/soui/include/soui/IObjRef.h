#pragma once

#include <windows.h>

#include <utility>

namespace SOUI {

// Reference counting of the library's objects. A new object has the count 1, owned by its creator;
// Release at zero calls OnFinalRelease, which deletes the object.
struct IObjRef {
    virtual long AddRef() = 0;
    virtual long Release() = 0;
    virtual void OnFinalRelease() = 0;

  protected:
    ~IObjRef() = default;
};

// Implements IObjRef for an interface T (count 1 at construction, atomic counting).
template <class T>
class TObjRefImpl : public T {
  public:
    TObjRefImpl() = default;
    TObjRefImpl(const TObjRefImpl&) = delete;
    TObjRefImpl& operator=(const TObjRefImpl&) = delete;

    long AddRef() override { return InterlockedIncrement(&refCount_); }
    long Release() override {
        const long count = InterlockedDecrement(&refCount_);
        if (count == 0) {
            this->OnFinalRelease();
        }
        return count;
    }
    void OnFinalRelease() override { delete this; }
    virtual ~TObjRefImpl() = default;

  protected:
    volatile LONG refCount_ = 1;
};

// As TObjRefImpl, the final release deleting the object as its most derived class T2.
template <class T, class T2>
class TObjRefImpl2 : public TObjRefImpl<T> {
  public:
    TObjRefImpl2() = default;
    void OnFinalRelease() override { delete static_cast<T2*>(this); }
    ~TObjRefImpl2() override = default;
};

// Owns one reference of an IObjRef object: released when the owner goes; moves, never copies.
template <class T>
class SAutoRefPtr {
  public:
    SAutoRefPtr() = default;
    // Takes over the caller's reference.
    explicit SAutoRefPtr(T* p) : p_(p) {}
    SAutoRefPtr(const SAutoRefPtr&) = delete;
    SAutoRefPtr& operator=(const SAutoRefPtr&) = delete;
    SAutoRefPtr(SAutoRefPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    SAutoRefPtr& operator=(SAutoRefPtr&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.p_, nullptr));
        }
        return *this;
    }
    ~SAutoRefPtr() { Reset(); }

    // Adds a reference of its own to p.
    static SAutoRefPtr Share(T* p) {
        if (p) {
            p->AddRef();
        }
        return SAutoRefPtr(p);
    }
    void Reset(T* p = nullptr) {
        T* old = std::exchange(p_, p);
        if (old) {
            old->Release();
        }
    }
    T* Detach() { return std::exchange(p_, nullptr); }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

}  // namespace SOUI
