#include "foundation/BufferDynamic.h"

#include <stdio.h>

#include <cstdint>
#include <cstdlib>
#include <new>

// msvcrt's _vscwprintf/_vsnwprintf keep "%s" wide; the C99 forms mingw maps read it narrow.

namespace {

// The largest block whose size in bytes still fits a size_t.
constexpr size_t kMaxBlockChars = SIZE_MAX / sizeof(wchar_t);
constexpr uint32_t kMaxCapacity = kMaxBlockChars > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(kMaxBlockChars);

// A zero-filled block; never smaller than one character, so it always holds a terminator.
wchar_t* newEmptyBlock(uint32_t n) {
    if (n > kMaxCapacity) {
        return nullptr;
    }
    return static_cast<wchar_t*>(std::calloc(n == 0 ? 1 : n, sizeof(wchar_t)));
}

// Copies a fixed message, cut to what the block can hold.
void putText(wchar_t* block, uint32_t capacity, const wchar_t* text) {
    if (capacity == 0) {
        return;
    }
    uint32_t i = 0;
    for (; i + 1 < capacity && text[i] != L'\0'; ++i) {
        block[i] = text[i];
    }
    block[i] = L'\0';
}

}  // namespace

CBufferDynamic::CBufferDynamic() : m_text(newEmptyBlock(kInitialCapacity)), m_capacity(kInitialCapacity) {
    if (m_text == nullptr) {
        throw std::bad_alloc();
    }
}

CBufferDynamic::CBufferDynamic(int /*ignored*/) : CBufferDynamic() {}

CBufferDynamic::~CBufferDynamic() {
    std::free(m_text);
    m_text = nullptr;
}

uint32_t CBufferDynamic::doubledCapacity(uint32_t capacity, uint32_t needed) {
    uint32_t result = capacity == 0 ? 1 : capacity;
    while (result <= needed) {
        if (result > kMaxCapacity / 2) {
            return 0;
        }
        result *= 2;
    }
    return result;
}

wchar_t* CBufferDynamic::alloc(uint32_t n) {
    wchar_t* block = newEmptyBlock(n);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    std::free(m_text);
    m_text = block;
    m_capacity = n;
    return m_text;
}

wchar_t* CBufferDynamic::reset(uint32_t n) {
    return CBufferDynamic::alloc(n);
}

uint32_t CBufferDynamic::reserve(uint32_t n) {
    const uint32_t before = m_capacity;
    if (m_capacity - 1 < n) {
        reset(n);
    }
    m_capacity = n;
    return before;
}

wchar_t* CBufferDynamic::grow(uint32_t n, int /*ignored*/) {
    if (n < m_capacity) {
        return m_text;
    }
    const uint32_t capacity = doubledCapacity(m_capacity, n);
    if (capacity == 0) {
        throw std::bad_alloc();
    }
    void* block = std::realloc(m_text, static_cast<size_t>(capacity) * sizeof(wchar_t));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    m_text = static_cast<wchar_t*>(block);
    m_capacity = capacity;
    return m_text;
}

void CBufferDynamic::format(const wchar_t* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    formatV(fmt, args);
    va_end(args);
}

void CBufferDynamic::formatV(const wchar_t* fmt, va_list args) {
    formatOr(L"Err:_vsctprintf", L"Err:_vstprintf_s", fmt, args);
}

void CBufferDynamic::formatOr(const wchar_t* uncountable,
                              const wchar_t* unformattable,
                              const wchar_t* fmt,
                              va_list args) {
    va_list counting;
    va_copy(counting, args);
    const int n = fmt == nullptr ? -1 : _vscwprintf(fmt, counting);
    va_end(counting);
    if (n < 0) {
        putText(m_text, m_capacity, uncountable);
        return;
    }
    const auto needed = static_cast<uint32_t>(n);
    if (needed >= m_capacity) {
        // The old text is replaced anyway, so a fresh block is enough. Without memory the old
        // block stays and the text becomes the formatting error below.
        const uint32_t capacity = doubledCapacity(m_capacity, needed);
        wchar_t* block = capacity == 0 ? nullptr : newEmptyBlock(capacity);
        if (block != nullptr) {
            std::free(m_text);
            m_text = block;
            m_capacity = capacity;
        }
    }
    if (needed >= m_capacity) {
        putText(m_text, m_capacity, unformattable);
        return;
    }
    va_list writing;
    va_copy(writing, args);
    const int written = _vsnwprintf(m_text, m_capacity - 1, fmt, writing);
    va_end(writing);
    if (written < 0) {
        putText(m_text, m_capacity, unformattable);
        return;
    }
    m_text[static_cast<uint32_t>(written) < m_capacity ? written : m_capacity - 1] = L'\0';
}
