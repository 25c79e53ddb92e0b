#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

// A fresh folder under the temporary folder of the Wine prefix, removed with its content afterwards.
class ScratchDir {
  public:
    ScratchDir() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        static int counter = 0;
        path_ = std::filesystem::path(temp) /
                (L"bravik-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Without a trailing backslash, as the shell gives the local application data folder.
    std::wstring wide() const { return path_.wstring(); }
    std::string narrow() const { return path_.string(); }

    // Wine maps file names through the host's locale; without a UTF-8 one only ASCII names work.
    bool nonAsciiNamesWork() const {
        const std::wstring probe = wide() + L"\\\u63d0";
        if (!CreateDirectoryW(probe.c_str(), nullptr)) {
            return false;
        }
        RemoveDirectoryW(probe.c_str());
        return true;
    }

    static std::string readBytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

  private:
    std::filesystem::path path_;
};
