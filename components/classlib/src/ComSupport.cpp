// What mingw-w64's comutil.h and comdef.h declare and leave to a library. _com_issue_error itself
// is inline in comdef.h: it raises _com_error through the replaceable handler there.
#include <windows.h>

#include <comdef.h>

namespace _com_util {

// ANSI code page texts, as the compiler's COM support converts them.
BSTR WINAPI ConvertStringToBSTR(const char* text) {
    if (!text) {
        return nullptr;
    }
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        _com_issue_error(HRESULT_FROM_WIN32(GetLastError()));
    }
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (!out) {
        _com_issue_error(E_OUTOFMEMORY);
    }
    MultiByteToWideChar(CP_ACP, 0, text, -1, out, length);
    return out;
}

char* WINAPI ConvertBSTRToString(BSTR text) {
    if (!text) {
        return nullptr;
    }
    int wideLength = static_cast<int>(SysStringLen(text));
    int converted = WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    size_t length = converted > 0 ? static_cast<size_t>(converted) : 0;
    char* out = new (std::nothrow) char[length + 1];
    if (!out) {
        _com_issue_error(E_OUTOFMEMORY);
    }
    if (length > 0) {
        WideCharToMultiByte(CP_ACP, 0, text, wideLength, out, converted, nullptr, nullptr);
    }
    out[length] = '\0';
    return out;
}

}  // namespace _com_util

// The "missing argument" variant of optional automation parameters.
_variant_t vtMissing(DISP_E_PARAMNOTFOUND, VT_ERROR);

// Raises the error with the error information the object offers for that interface, if any.
void WINAPI _com_issue_errorex(HRESULT hr, IUnknown* object, REFIID iid) {
    IErrorInfo* info = nullptr;
    if (object) {
        ISupportErrorInfo* support = nullptr;
        if (SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) && support) {
            if (support->InterfaceSupportsErrorInfo(iid) == S_OK && GetErrorInfo(0, &info) != S_OK) {
                info = nullptr;
            }
            support->Release();
        }
    }
    // _com_error takes the reference to the information.
    __mingw_com_error_handler(hr, info);
}
