#include "CrashText.h"

#include <cwchar>

namespace {

const wchar_t* faultName(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
            return L"access violation";
        case EXCEPTION_STACK_OVERFLOW:
            return L"stack overflow";
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
            return L"integer division by zero";
        case EXCEPTION_ILLEGAL_INSTRUCTION:
            return L"illegal instruction";
        case EXCEPTION_PRIV_INSTRUCTION:
            return L"privileged instruction";
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
            return L"array bounds exceeded";
        case EXCEPTION_IN_PAGE_ERROR:
            return L"in-page error";
        case EXCEPTION_BREAKPOINT:
            return L"breakpoint";
        default:
            return L"exception";
    }
}

// "<module path>+0x<offset>", or "unknown module" for an address outside every module.
std::wstring placeOf(const void* address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module)) {
        return L"unknown module";
    }
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    path[MAX_PATH - 1] = L'\0';
    wchar_t offset[32] = {};
    _snwprintf(offset, 31, L"+0x%X",
               static_cast<unsigned>(reinterpret_cast<UINT_PTR>(address) - reinterpret_cast<UINT_PTR>(module)));
    return std::wstring(path) + offset;
}

}  // namespace

std::wstring crashTextWide(const EXCEPTION_RECORD& record, DWORD threadId) {
    wchar_t head[96] = {};
    _snwprintf(head, 95, L"Unhandled exception 0x%08X (%s) at 0x%08X in ", static_cast<unsigned>(record.ExceptionCode),
               faultName(record.ExceptionCode),
               static_cast<unsigned>(reinterpret_cast<UINT_PTR>(record.ExceptionAddress)));
    std::wstring text = head + placeOf(record.ExceptionAddress);
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2) {
        const ULONG_PTR kind = record.ExceptionInformation[0];
        wchar_t touched[48] = {};
        _snwprintf(touched, 47, L", %s 0x%08X",
                   kind == 0   ? L"reading"
                   : kind == 8 ? L"executing"
                               : L"writing",
                   static_cast<unsigned>(record.ExceptionInformation[1]));
        text += touched;
    }
    wchar_t thread[32] = {};
    _snwprintf(thread, 31, L", thread %u", static_cast<unsigned>(threadId));
    return text + thread;
}

std::string crashText(const EXCEPTION_RECORD& record, DWORD threadId) {
    const std::wstring wide = crashTextWide(record, threadId);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), size, nullptr, nullptr);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}
