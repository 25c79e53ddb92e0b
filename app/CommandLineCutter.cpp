#include "CommandLineCutter.h"

#include <cwchar>

namespace {

// Hands over every part after a ";" from the last to the first, ending the text at each ";" in
// turn; what is left is the first path. True when anything was handed over.
bool cutAtSemicolons(wchar_t* text, PathSink& sink) {
    bool handed = false;
    for (wchar_t* semicolon = std::wcsrchr(text, L';'); semicolon; semicolon = std::wcsrchr(text, L';')) {
        sink.openPath(semicolon + 1);  // an empty part is handed over too
        *semicolon = L'\0';
        handed = true;
    }
    return handed;
}

}  // namespace

int cutQuotedFileList(wchar_t* text, PathSink& sink) {
    if (!text || text[0] == L'\0') {
        return 0;
    }
    wchar_t* closing = std::wcsrchr(text, L'"');
    if (!closing) {
        return 0;
    }
    *closing = L'\0';
    const std::size_t length = std::wcslen(text);
    if (length > 0) {
        // Drops the opening quotation mark (or whatever stands first), terminator included.
        std::wmemmove(text, text + 1, length);
    }
    if (text[0] == L'\0') {
        return 0;
    }
    if (wchar_t* last = std::wcsrchr(text, L';')) {
        *last = L'\0';  // what follows the last ";" is ignored
        cutAtSemicolons(text, sink);
        if (text[0] != L'\0') {
            sink.openPath(text);
        }
        return 1;
    }
    // A single path goes through the fixed buffer when it fits. A longer one is handed over as it
    // stands, as the paths of a list are: never cut short, never written past the buffer.
    if (std::wcslen(text) > kSinglePathCapacity) {
        sink.openPath(text);
        return 1;
    }
    wchar_t single[kSinglePathCapacity + 1] = {};
    std::wcscpy(single, text);
    sink.openPath(single);
    return 1;
}

int cutUnquotedFileList(wchar_t* text, PathSink& sink) {
    if (!text) {
        return 0;
    }
    bool handed = false;
    if (wchar_t* last = std::wcsrchr(text, L';')) {
        *last = L'\0';
        handed = cutAtSemicolons(text, sink);
    }
    if (text[0] != L'\0') {
        sink.openPath(text);
        handed = true;
    }
    return handed ? 1 : 0;
}

int cutFileList(wchar_t* text, PathSink& sink) {
    if (text && text[0] != L'\0' && text[0] != L'"') {
        return cutUnquotedFileList(text, sink);
    }
    return cutQuotedFileList(text, sink);
}

namespace {

class PathList final : public PathSink {
  public:
    void openPath(const wchar_t* path) override {
        if (path[0] != L'\0') {
            paths.emplace_back(path);
        }
    }
    std::vector<std::wstring> paths;
};

}  // namespace

std::vector<std::wstring> copyDataPathsOf(const wchar_t* commandLine) {
    std::wstring text = commandLine;
    PathList list;
    cutFileList(text.data(), list);
    return list.paths;
}
