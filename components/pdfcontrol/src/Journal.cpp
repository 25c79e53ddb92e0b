#include "Journal.h"

#include <cstdio>
#include <map>

namespace pdfc {
namespace {

struct JournalState {
    std::vector<std::wstring> lines;
    std::map<const IUnknown*, std::wstring> names;
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
    return L"VT#" + std::to_wstring(value.vt);
}

}  // namespace pdfc
