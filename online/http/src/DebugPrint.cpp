#include "online/http/DebugPrint.h"

#include <windows.h>

#include <foundation/BufferDynamic.h>

#include <cstdarg>

namespace {

void sendFormatted(const wchar_t* format, va_list args) {
    CBufferDynamic text;
    text.formatV(format, args);
    OutputDebugStringW(text.m_text);
}

}  // namespace

void debugPrint(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    sendFormatted(format, args);
    va_end(args);
}

void debugPrintLine(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    sendFormatted(format, args);
    va_end(args);
    OutputDebugStringW(L"\n");
}
