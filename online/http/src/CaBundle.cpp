#include "online/http/CaBundle.h"

#include <windows.h>

#include <foundation/CodePage.h>

#include <vector>

std::string defaultCaBundlePath() {
    // Long enough for any path the loader accepts, long-path prefixes included.
    std::vector<wchar_t> path(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring folder(path.data(), n < path.size() ? n : 0);
    folder.erase(folder.find_last_of(L"\\/") + 1);  // npos + 1 == 0: no folder, the bare name
    return wideToUtf8(folder + L"curl-ca-bundle.crt");
}
