#pragma once

#include <windows.h>

#include <utility>

// Owns an open registry key; closing keeps GetLastError.
class UniqueRegKey {
  public:
    UniqueRegKey() = default;
    ~UniqueRegKey() { close(); }
    UniqueRegKey(const UniqueRegKey&) = delete;
    UniqueRegKey& operator=(const UniqueRegKey&) = delete;
    UniqueRegKey(UniqueRegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    UniqueRegKey& operator=(UniqueRegKey&& other) noexcept {
        if (this != &other) {
            close();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }

    HKEY get() const { return key_; }
    HKEY* receive() {
        close();
        return &key_;
    }
    // The close's own result; ERROR_SUCCESS when nothing was open.
    LONG close() {
        LONG result = ERROR_SUCCESS;
        if (key_ != nullptr) {
            const DWORD error = GetLastError();
            result = RegCloseKey(key_);
            SetLastError(error);
            key_ = nullptr;
        }
        return result;
    }

  private:
    HKEY key_ = nullptr;
};
