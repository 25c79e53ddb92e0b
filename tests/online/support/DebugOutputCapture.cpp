#include "DebugOutputCapture.h"

#include <cstring>

namespace {
constexpr DWORD kSectionSize = 4096;
}

DebugOutputCapture::DebugOutputCapture() {
    m_turn = CreateMutexW(nullptr, FALSE, L"BravikDebugOutputCapture");
    const DWORD waited = m_turn ? WaitForSingleObject(m_turn, 60000) : WAIT_FAILED;
    m_haveTurn = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!m_haveTurn) {
        return;
    }
    m_bufferReady = CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_BUFFER_READY");
    m_dataReady = CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY");
    m_section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSectionSize, L"DBWIN_BUFFER");
    if (m_section) {
        m_view = MapViewOfFile(m_section, FILE_MAP_READ, 0, 0, kSectionSize);
    }
    m_ready = m_bufferReady && m_dataReady && m_view;
    if (m_ready) {
        m_thread = std::thread([this] { run(); });
    }
}

DebugOutputCapture::~DebugOutputCapture() {
    m_stop = true;
    if (m_thread.joinable()) {
        SetEvent(m_dataReady);
        m_thread.join();
    }
    if (m_view) {
        UnmapViewOfFile(m_view);
    }
    for (HANDLE h : {m_section, m_bufferReady, m_dataReady}) {
        if (h) {
            CloseHandle(h);
        }
    }
    if (m_haveTurn) {
        ReleaseMutex(m_turn);
    }
    if (m_turn) {
        CloseHandle(m_turn);
    }
}

void DebugOutputCapture::run() {
    // The section holds the writer's process id, then its zero-terminated text.
    for (;;) {
        SetEvent(m_bufferReady);
        if (WaitForSingleObject(m_dataReady, INFINITE) != WAIT_OBJECT_0 || m_stop) {
            return;
        }
        DWORD writer = 0;
        std::memcpy(&writer, m_view, sizeof(writer));
        if (writer != GetCurrentProcessId()) {
            continue;
        }
        const char* text = static_cast<const char*>(m_view) + sizeof(DWORD);
        std::string piece(text, strnlen(text, kSectionSize - sizeof(DWORD)));
        std::lock_guard<std::mutex> guard(m_lock);
        m_pieces.push_back(piece);
    }
}

std::vector<std::string> DebugOutputCapture::pieces(size_t count, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_pieces.size() >= count || std::chrono::steady_clock::now() > deadline) {
                return m_pieces;
            }
        }
        Sleep(10);
    }
}
