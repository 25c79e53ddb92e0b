#pragma once

#include <windows.h>

#include <soui/IObjRef.h>
#include <soui/SouiDefs.h>

namespace SOUI {

// Kinds of resource providers CreateResProvider makes.
enum BUILTIN_RESTYPE {
    RES_PE = 0,  // the resources of a loaded module
};

// A source of resources named by type and name (upper case in the module, looked up ignoring case,
// language 2052 first).
struct IResProvider : IObjRef {
    // RES_PE: wParam is the module handle, lParam 0. The module must stay loaded while it is used.
    virtual BOOL Init(WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL HasResource(LPCWSTR type, LPCWSTR name) = 0;
    // Size in bytes, 0 when absent.
    virtual size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name) = 0;
    virtual BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buffer, size_t size) = 0;
    // An icon of the icon group, at the size (0: the system's default size); null when absent.
    virtual HICON LoadIcon(LPCWSTR name, int size) = 0;
    virtual HCURSOR LoadCursor(LPCWSTR name) = 0;
};

// A new provider of the kind with one reference for the caller; FALSE for an unknown kind.
SOUI_EXP BOOL CreateResProvider(BUILTIN_RESTYPE type, IObjRef** provider);

}  // namespace SOUI
