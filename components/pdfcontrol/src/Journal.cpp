#include "Journal.h"

#include <cstdio>
#include <map>

namespace pdfc {
namespace {

struct JournalState {
    std::vector<std::wstring> lines;
    std::map<const IUnknown*, std::wstring> names;
    int refusals = 0;
};

JournalState& state() {
    static JournalState s;
    return s;
}

std::string toUtf8(const std::wstring& text) {
    int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    }
    return out;
}

// Appended line by line, so a program that ends abruptly still leaves what happened before.
void appendToFile(const std::wstring& line) {
    wchar_t path[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"BRAVIK_PDFCONTROL_JOURNAL", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        return;
    }
    FILE* f = _wfopen(path, L"ab");
    if (!f) {
        return;
    }
    std::string bytes = toUtf8(line);
    bytes += '\n';
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

}  // namespace

void journal(const std::wstring& line) {
    state().lines.push_back(line);
    appendToFile(line);
}

std::wstring journalText() {
    std::wstring text;
    for (const auto& line : state().lines) {
        text += line;
        text += L'\n';
    }
    return text;
}

void clearJournal() {
    state().lines.clear();
}

void refuse(const std::wstring& call, const std::wstring& reason) {
    ++state().refusals;
    journal(L"refused " + call + L": " + reason);
}

int refusalCount() {
    return state().refusals;
}

void registerObjectName(const IUnknown* object, const std::wstring& name) {
    state().names[object] = name;
}

void forgetObjectName(const IUnknown* object) {
    state().names.erase(object);
}

std::wstring argText(LONG value) {
    return std::to_wstring(value);
}

std::wstring argText(ULONG value) {
    return std::to_wstring(value);
}

std::wstring argText(BSTR text) {
    if (!text) {
        return L"null";
    }
    return L"\"" + std::wstring(text) + L"\"";
}

std::wstring argText(IUnknown* object) {
    if (!object) {
        return L"null";
    }
    IUnknown* identity = nullptr;
    if (FAILED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity))) || !identity) {
        return L"?";
    }
    auto it = state().names.find(identity);
    std::wstring name = it != state().names.end() ? it->second : L"foreign";
    identity->Release();
    return name;
}

std::wstring argText(const VARIANT& value) {
    if (value.vt == VT_BSTR) {
        return L"VT_BSTR " + argText(value.bstrVal);
    }
    return vtName(value.vt);
}

std::wstring vtName(VARTYPE type) {
    static const std::map<VARTYPE, const wchar_t*> names = {
        {VT_EMPTY, L"VT_EMPTY"}, {VT_NULL, L"VT_NULL"}, {VT_I2, L"VT_I2"},           {VT_I4, L"VT_I4"},
        {VT_R4, L"VT_R4"},       {VT_R8, L"VT_R8"},     {VT_BSTR, L"VT_BSTR"},       {VT_DISPATCH, L"VT_DISPATCH"},
        {VT_ERROR, L"VT_ERROR"}, {VT_BOOL, L"VT_BOOL"}, {VT_VARIANT, L"VT_VARIANT"}, {VT_UNKNOWN, L"VT_UNKNOWN"},
        {VT_I1, L"VT_I1"},       {VT_UI1, L"VT_UI1"},   {VT_UI2, L"VT_UI2"},         {VT_UI4, L"VT_UI4"},
        {VT_INT, L"VT_INT"},     {VT_UINT, L"VT_UINT"},
    };
    std::wstring prefix = (type & VT_BYREF) ? L"VT_BYREF|" : L"";
    auto it = names.find(static_cast<VARTYPE>(type & ~VT_BYREF));
    return prefix + (it != names.end() ? it->second : L"VT#" + std::to_wstring(type & ~VT_BYREF));
}

}  // namespace pdfc
