#pragma once

#include <windows.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Receives what this process sends to the debugger output while it lives, through the system's
// debug-monitor channel (the DBWIN_BUFFER section and its two events), as a debug viewer does.
// The channel has room for one monitor: captures in several processes take turns through a named
// mutex, and pieces written by other processes are dropped.
class DebugOutputCapture {
  public:
    DebugOutputCapture();
    ~DebugOutputCapture();

    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    bool ready() const { return m_ready; }
    // The pieces received so far (each one OutputDebugString call, in the ANSI code page), after
    // waiting until at least `count` have arrived or the time is up.
    std::vector<std::string> pieces(size_t count, std::chrono::milliseconds wait = std::chrono::seconds(5));

  private:
    void run();

    HANDLE m_turn = nullptr;
    bool m_haveTurn = false;
    HANDLE m_section = nullptr;
    HANDLE m_bufferReady = nullptr;
    HANDLE m_dataReady = nullptr;
    void* m_view = nullptr;
    bool m_ready = false;
    volatile bool m_stop = false;
    std::mutex m_lock;
    std::vector<std::string> m_pieces;
    std::thread m_thread;
};
