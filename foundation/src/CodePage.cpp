#include "foundation/CodePage.h"

#include <windows.h>

#include <climits>
#include <typeinfo>
#include <utility>
#include <vector>

// Each conversion measures first (the count includes the terminator), converts into a buffer of
// exactly that size and accepts the result only when both calls agree.

bool multiByteToWide(unsigned codePage, const std::string& input, std::wstring& output) {
    const int n = MultiByteToWideChar(codePage, 0, input.c_str(), -1, nullptr, 0);
    if (n <= 0) {
        return false;
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(codePage, 0, input.c_str(), -1, buffer.data(), n) != n) {
        return false;
    }
    output.assign(buffer.data());
    return true;
}

bool wideToMultiByte(unsigned codePage, const std::wstring& input, std::string& output) {
    const int n = WideCharToMultiByte(codePage, 0, input.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        return false;
    }
    std::vector<char> buffer(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(codePage, 0, input.c_str(), -1, buffer.data(), n, nullptr, nullptr) != n) {
        return false;
    }
    output.assign(buffer.data());
    return true;
}

bool bytesToWide(unsigned codePage, std::string_view bytes, std::wstring& output) {
    if (bytes.empty()) {
        output.clear();
        return true;
    }
    if (bytes.size() > static_cast<size_t>(INT_MAX)) {
        return false;
    }
    const int length = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (n <= 0) {
        return false;
    }
    std::wstring buffer(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(codePage, 0, bytes.data(), length, buffer.data(), n) != n) {
        return false;
    }
    output = std::move(buffer);
    return true;
}

bool utf8ToWide(const std::string& input, std::wstring& output) {
    return multiByteToWide(CP_UTF8, input, output);
}

std::wstring utf8ToWide(const std::string& input) {
    std::wstring output;
    utf8ToWide(input, output);
    return output;
}

bool acpToWide(const std::string& input, std::wstring& output) {
    return multiByteToWide(CP_ACP, input, output);
}

std::wstring acpToWide(const std::string& input) {
    std::wstring output;
    acpToWide(input, output);
    return output;
}

bool wideToUtf8(const std::wstring& input, std::string& output) {
    return wideToMultiByte(CP_UTF8, input, output);
}

std::string wideToUtf8(const std::wstring& input) {
    std::string output;
    wideToUtf8(input, output);
    return output;
}

bool wideToOem(const std::wstring& input, std::string& output) {
    return wideToMultiByte(CP_OEMCP, input, output);
}

std::string wideToOem(const std::wstring& input) {
    std::string output;
    wideToOem(input, output);
    return output;
}

bool acpToUtf8(const std::string& input, std::string& output) {
    std::wstring wide;
    if (!acpToWide(input, wide)) {
        return false;
    }
    return wideToUtf8(wide, output);
}

std::string acpToUtf8(const std::string& input) {
    std::string output;
    acpToUtf8(input, output);
    return output;
}

bool utf8ToOem(const std::string& input, std::string& output) {
    std::wstring wide;
    if (!utf8ToWide(input, wide)) {
        return false;
    }
    return wideToOem(wide, output);
}

std::string utf8ToOem(const std::string& input) {
    std::string output;
    utf8ToOem(input, output);
    return output;
}

std::wstring exceptionText(const std::exception& e) {
    // A plain std::exception has no message of its own; say so as the Windows runtime does.
    const char* message = typeid(e) == typeid(std::exception) ? "Unknown exception" : e.what();
    std::wstring text;
    acpToWide(message != nullptr ? message : "", text);
    return text;
}
