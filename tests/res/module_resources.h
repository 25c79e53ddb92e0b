#pragma once

// Reading the test executable's own resources, which are the program's (the test links them).

#include <windows.h>

#include <string>
#include <string_view>

namespace resfixture {

inline constexpr WORD kChineseSimplified = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// The bytes of the resource of that type and name in language 2052; empty view when it is missing.
inline std::string_view resourceBytes(const wchar_t* type, const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(module, type, name, kChineseSimplified);
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return {static_cast<const char*>(data), SizeofResource(module, found)};
}

inline std::wstring upper(std::wstring_view text) {
    std::wstring out(text);
    CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

}  // namespace resfixture
