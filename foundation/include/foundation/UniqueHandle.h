#pragma once

#include <windows.h>

#include <utility>

// Owns a kernel handle; INVALID_HANDLE_VALUE and null both mean none. Closing keeps GetLastError.
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }

    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    HANDLE* receive() {
        reset();
        return &handle_;
    }
    void reset(HANDLE handle = nullptr) {
        if (valid()) {
            const DWORD error = GetLastError();
            CloseHandle(handle_);
            SetLastError(error);
        }
        handle_ = handle;
    }

  private:
    HANDLE handle_ = nullptr;
};
