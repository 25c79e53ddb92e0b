#pragma once

// Smart pointers of the compiler's COM support for IUnknown and IDispatch. comdef.h declares them
// only when it meets those interfaces first, which depends on the include order; a repeated
// typedef of the same type is harmless.
#include <windows.h>

#include <comdef.h>

_COM_SMARTPTR_TYPEDEF(IUnknown, __uuidof(IUnknown));
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));
