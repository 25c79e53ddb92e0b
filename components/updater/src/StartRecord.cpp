#include "StartRecord.h"

#include <windows.h>

#include <shellapi.h>

#include <cwchar>

namespace {

std::wstring modulePath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    path[MAX_PATH - 1] = L'\0';
    return path;
}

std::wstring currentFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, folder.data());
    folder.resize(length < size ? length : 0);
    return folder;
}

std::string toUtf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr,
                            nullptr);
    }
    return out;
}

}  // namespace

std::wstring describeStart() {
    const wchar_t* commandLine = GetCommandLineW();
    std::wstring block = L"[start]\nprogram=" + modulePath() + L"\ncommandLine=" + commandLine + L"\n";
    int count = 0;
    if (LPWSTR* arguments = CommandLineToArgvW(commandLine, &count)) {
        for (int i = 1; i < count; ++i) {
            block += L"argument" + std::to_wstring(i) + L"=" + arguments[i] + L"\n";
        }
        LocalFree(arguments);
    }
    // The show command the starter asked for (ShellExecuteW passes it on in the start-up info).
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    block += L"show=" +
             ((startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_wstring(startup.wShowWindow) : std::wstring(L"none")) +
             L"\n";
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    wchar_t time[40] = {};
    _snwprintf(time, 39, L"%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", utc.wYear, utc.wMonth, utc.wDay, utc.wHour,
               utc.wMinute, utc.wSecond, utc.wMilliseconds);
    block += L"workingFolder=" + currentFolder() + L"\nutc=" + time + L"\nprocessId=" +
             std::to_wstring(GetCurrentProcessId()) + L"\n\n";
    return block;
}

std::wstring startRecordPath() {
    const std::wstring program = modulePath();
    const size_t slash = program.find_last_of(L"\\/");
    std::wstring base = program.substr(slash == std::wstring::npos ? 0 : slash + 1);
    const size_t dot = base.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        base.erase(dot);
    }
    std::wstring folder;
    wchar_t configured[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"BRAVIK_STARTS_DIR", configured, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        folder = configured;
    } else {
        folder = program.substr(0, slash == std::wstring::npos ? 0 : slash);
    }
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') {
        folder += L'\\';
    }
    return folder + base + L".starts.txt";
}

bool recordStart() {
    const std::string block = toUtf8(describeStart());
    HANDLE file = CreateFileW(startRecordPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written == block.size();
    CloseHandle(file);
    return ok;
}
