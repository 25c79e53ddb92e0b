#include "online/http/UniteBase.h"

#include <stdio.h>

// msvcrt's _snwprintf keeps "%s" wide, as the formats of this code expect.

void CUniteBase::setText(CBufferDynamic& buffer, const wchar_t* setterName, const wchar_t* format, va_list args) {
    // The setter's two fixed texts are at most 50 characters; a buffer never has fewer than 260.
    wchar_t uncountable[64];
    wchar_t unformattable[64];
    _snwprintf(uncountable, 63, L"Err:_vsctprintf,%s", setterName);
    uncountable[63] = L'\0';
    _snwprintf(unformattable, 63, L"Err:_stprintf_s,%s,%d", setterName, -1);
    unformattable[63] = L'\0';
    buffer.formatOr(uncountable, unformattable, format, args);
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
