#include "online/http/CaBundle.h"

#include <curl/curl.h>  // brings winsock2.h, then windows.h
#include <foundation/CodePage.h>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

std::string defaultCaBundlePath() {
    // Long enough for any path the loader accepts, long-path prefixes included.
    std::vector<wchar_t> path(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring folder(path.data(), n < path.size() ? n : 0);
    folder.erase(folder.find_last_of(L"\\/") + 1);  // npos + 1 == 0: no folder, the bare name
    return wideToUtf8(folder + L"curl-ca-bundle.crt");
}

bool isHttpsAddress(const std::string& url) {
    static constexpr std::string_view kScheme = "https:";
    return url.size() >= kScheme.size() &&
           std::equal(kScheme.begin(), kScheme.end(), url.begin(),
                      [](char scheme, char c) { return scheme == std::tolower(static_cast<unsigned char>(c)); });
}

int setVerifiedTls(CURL* handle, const std::string& caFile) {
    const std::string file = caFile.empty() ? defaultCaBundlePath() : caFile;
    CURLcode code = curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    if (code == CURLE_OK) {
        code = curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    }
    if (code == CURLE_OK) {
        code = curl_easy_setopt(handle, CURLOPT_CAINFO, file.c_str());
    }
    return code;
}
