#include "CookieJar.h"

#include <windows.h>

namespace wke {

namespace {

constexpr DWORD kMaxJarSize = 4 * 1024 * 1024;

class File {
  public:
    explicit File(HANDLE h) : h_(h) {}
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() {
        if (valid()) {
            CloseHandle(h_);
        }
    }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    void close() {
        if (valid()) {
            CloseHandle(h_);
            h_ = INVALID_HANDLE_VALUE;
        }
    }

  private:
    HANDLE h_;
};

bool isCookieLine(const std::string& line) {
    if (line.empty()) {
        return false;
    }
    if (line[0] == '#') {
        return line.compare(0, 10, "#HttpOnly_") == 0;
    }
    return line.find('\t') != std::string::npos;
}

}  // namespace

std::vector<std::string> readCookieJar(const std::wstring& path) {
    std::vector<std::string> lines;
    if (path.empty()) {
        return lines;
    }
    File f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.valid()) {
        return lines;
    }
    const DWORD size = GetFileSize(f.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > kMaxJarSize) {
        return lines;
    }
    std::string data(size, '\0');
    DWORD got = 0;
    if (size && !ReadFile(f.get(), data.data(), size, &got, nullptr)) {
        return lines;
    }
    data.resize(got);
    size_t i = 0;
    while (i < data.size()) {
        size_t end = data.find('\n', i);
        if (end == std::string::npos) {
            end = data.size();
        }
        std::string line = data.substr(i, end - i);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (isCookieLine(line)) {
            lines.push_back(line);
        }
        i = end + 1;
    }
    return lines;
}

bool writeCookieJar(const std::wstring& path, const std::vector<std::string>& lines) {
    if (path.empty()) {
        return false;
    }
    std::string data = "# Netscape HTTP Cookie File\n";
    for (const std::string& l : lines) {
        data += l + "\n";
    }
    const std::wstring temp = path + L".new";
    File f(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.valid()) {
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(f.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                    written == data.size() && FlushFileBuffers(f.get());
    f.close();
    if (!ok || !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace wke
