#include "online/http/UniteBase.h"

#include <stdio.h>
#include <wchar.h>

#include <cstdint>
#include <cstdlib>

// msvcrt's _vscwprintf/_vsnwprintf/_snwprintf keep "%s" wide, as the formats of this code expect.

namespace {

void putFixed(CBufferDynamic& buffer, const wchar_t* format, const wchar_t* name) {
    // Fixed texts are at most 50 characters and a buffer never has fewer than 260.
    _snwprintf(buffer.m_text, buffer.m_capacity, format, name, -1);
    buffer.m_text[buffer.m_capacity - 1] = L'\0';
}

}  // namespace

void CUniteBase::setText(CBufferDynamic& buffer, const wchar_t* setterName, const wchar_t* format, va_list args) {
    va_list counting;
    va_copy(counting, args);
    const int n = format ? _vscwprintf(format, counting) : -1;
    va_end(counting);
    if (n < 0) {
        putFixed(buffer, L"Err:_vsctprintf,%s", setterName);
        return;
    }
    const uint32_t needed = static_cast<uint32_t>(n);
    if (needed > buffer.m_capacity - 1) {
        const uint32_t capacity = CBufferDynamic::doubledCapacity(buffer.m_capacity, needed);
        void* grown = capacity ? std::realloc(buffer.m_text, size_t{capacity} * sizeof(wchar_t)) : nullptr;
        if (grown) {
            buffer.m_text = static_cast<wchar_t*>(grown);
            buffer.m_capacity = capacity;
        }
        // Without memory the block keeps its size, and the formatting below reports that it does
        // not fit.
    }
    const int written =
        needed <= buffer.m_capacity - 1 ? _vsnwprintf(buffer.m_text, buffer.m_capacity, format, args) : -1;
    if (written < 0) {
        putFixed(buffer, L"Err:_stprintf_s,%s,%d", setterName);
        return;
    }
    buffer.m_text[written] = L'\0';
}

void CUniteBase::init() {}

void CUniteBase::setLastError(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    setText(m_lastError, L"CUniteBase::setLastError", format, args);
    va_end(args);
}

const wchar_t* CUniteBase::getLastError() {
    return m_lastError.m_text;
}

void CUniteBase::clearLastError() {
    m_lastError.m_text[0] = L'\0';
}

void CUniteBase::setResponse(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    setText(m_response, L"CUniteBase::setResponse", format, args);
    va_end(args);
}

const wchar_t* CUniteBase::getResponse() {
    return m_response.m_text;
}

void CUniteBase::clearResponse() {
    m_response.m_text[0] = L'\0';
}

void CUniteBase::SetLastError(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    setText(m_lastError, L"CUniteBase::SetLastError", format, args);
    va_end(args);
}

const wchar_t* CUniteBase::GetLastError() {
    return getLastError();
}

void CUniteBase::ClearLastError() {
    clearLastError();
}

void CUniteBase::SetResponse(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    setText(m_response, L"CUniteBase::SetResponse", format, args);
    va_end(args);
}

const wchar_t* CUniteBase::GetResponse() {
    return getResponse();
}

void CUniteBase::ClearResponse() {
    clearResponse();
}
