#pragma once

#include <windows.h>

#include <comdef.h>

#include <cwchar>

namespace PXV {

// Where a COM error of the control's calls ends: at the boundary of an operation that a window
// procedure, the control's event sink or the main window's set-up starts. The operation stops
// there, the steps already done stay done, and the process goes on; the code goes to the debugger
// output.
template <class Operation>
void runStoppingAtComError(const wchar_t* where, Operation&& operation) noexcept {
    try {
        operation();
    } catch (const _com_error& e) {
        wchar_t line[160];
        _snwprintf(line, 159, L"%s: stopped by COM error 0x%08lX\n", where, static_cast<unsigned long>(e.Error()));
        line[159] = L'\0';
        OutputDebugStringW(line);
    }
}

}  // namespace PXV
