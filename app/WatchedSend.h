#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "foundation/UniqueHandle.h"

// A send without a time limit made on a thread of its own, so that the caller can watch the
// receiver meanwhile: the message goes once, and the send returns only when the receiver's handler
// has run or the receiver has gone. A send still blocked when the object goes (a receiver that
// hung) is left to the end of the process.
class WatchedSend {
  public:
    // WM_COPYDATA carries the path as a zero-terminated UTF-16 text; other messages take 0, 0.
    WatchedSend(HWND window, UINT message, std::wstring copyDataPath = std::wstring());
    ~WatchedSend();
    WatchedSend(const WatchedSend&) = delete;
    WatchedSend& operator=(const WatchedSend&) = delete;

    // False when no thread could be made; nothing was sent then.
    bool started() const { return thread_.valid(); }
    // True once the send has returned, after waiting at most waitMs.
    bool returned(DWORD waitMs) const;
    // Once returned: true when the receiver answered, false when its window or thread went first.
    bool answered() const { return job_->answered; }
    // The handler's result, once answered.
    LRESULT result() const { return job_->result; }

  private:
    struct Job {
        HWND window;
        UINT message;
        std::wstring path;
        bool answered;
        LRESULT result;
    };
    static DWORD WINAPI run(void* job) noexcept;

    std::unique_ptr<Job> job_;
    UniqueHandle thread_;
};
