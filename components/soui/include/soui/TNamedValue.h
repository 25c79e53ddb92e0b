#pragma once

namespace SOUI {

// One record of a table of named values (the named control IDs): a zero-padded name of at most 51
// characters and its value.
template <class T>
struct TNAMEDVALUE {
    wchar_t strName[52];
    T value;
};

}  // namespace SOUI
