#include "HandlerBoundary.h"

#include <windows.h>

#include <comdef.h>

#include <cstdio>
#include <exception>

namespace PXV {

void reportStoppedHandler(const wchar_t* where) noexcept {
    wchar_t line[256];
    try {
        throw;
    } catch (const _com_error& e) {
        _snwprintf(line, 255, L"%s: stopped by COM error 0x%08lX\n", where, static_cast<unsigned long>(e.Error()));
    } catch (const std::exception& e) {
        _snwprintf(line, 255, L"%s: stopped by an exception: %hs\n", where, e.what());
    } catch (...) {
        _snwprintf(line, 255, L"%s: stopped by an exception\n", where);
    }
    line[255] = L'\0';
    OutputDebugStringW(line);
}

}  // namespace PXV
