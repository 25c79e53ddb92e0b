#pragma once

// Record of a named-value table of the UI library: a zero-padded wide name and its value.
// Local until the library's own header is available.

namespace SOUI {

template <class T>
struct TNAMEDVALUE {
    wchar_t strName[52];
    T value;
};

}  // namespace SOUI
