#pragma once

#include <cstdarg>
#include <cstdint>

// A growable, zero-terminated buffer of wide characters with printf-style formatting.
// The transfer classes grow and fill m_text/m_capacity themselves, so both fields are public.
class CBufferDynamic {
  public:
    static constexpr uint32_t kInitialCapacity = 260;

    CBufferDynamic();
    explicit CBufferDynamic(int ignored);
    virtual ~CBufferDynamic();

    CBufferDynamic(const CBufferDynamic&) = delete;
    CBufferDynamic& operator=(const CBufferDynamic&) = delete;

    // Replaces the block by a new one of n characters holding an empty text.
    virtual wchar_t* alloc(uint32_t n);

    // Replaces the whole text. "%s" takes a wide string, "%d" a 32-bit int.
    void format(const wchar_t* fmt, ...);
    void formatV(const wchar_t* fmt, va_list args);
    // formatV with the texts left in place of the wanted one: `uncountable` when the format cannot
    // be counted, `unformattable` when it cannot be formatted (or the block cannot grow for it).
    // Each is cut to what the block holds.
    void formatOr(const wchar_t* uncountable, const wchar_t* unformattable, const wchar_t* fmt, va_list args);

    // Makes room for a text of n characters, keeping the text; the second argument is ignored.
    wchar_t* grow(uint32_t n, int ignored = 0);
    wchar_t* reset(uint32_t n);
    uint32_t reserve(uint32_t n);

    wchar_t* getBuffer() const { return m_text; }
    uint32_t getCapacity() const { return m_capacity; }
    uint32_t getByteCapacity() const { return m_capacity * 2; }
    uint32_t getMaxLength() const { return m_capacity - 1; }

    // The capacity the doubling rule gives for a text of `needed` characters, starting from
    // `capacity`; 0 when the result would not fit in memory addressable by a size_t.
    static uint32_t doubledCapacity(uint32_t capacity, uint32_t needed);

    wchar_t* m_text;      // malloc'd block of at least m_capacity characters
    uint32_t m_capacity;  // characters, terminator included
};
