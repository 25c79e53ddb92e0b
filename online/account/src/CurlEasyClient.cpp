#include "online/account/CurlEasyClient.h"

#include <curl/curl.h>
#include <online/http/CaBundle.h>

#include <cstdint>
#include <cstdio>
#include <memory>

CCurlEasyClient g_curlEasyClient;

namespace {

// libcurl's exact debug callback type, in front of the client's.
int curlDebugCallback(CURL* handle, curl_infotype type, char* data, size_t size, void* user) {
    return CCurlEasyClient::onDebug(handle, static_cast<int>(type), data, size, user);
}

}  // namespace

int CCurlEasyClient::get(const std::string& url, std::string* response) {
    return transfer(url, nullptr, response, Tls::LibraryDefaults, nullptr);
}

int CCurlEasyClient::post(const std::string& url, const std::string& body, std::string* response) {
    return transfer(url, &body, response, Tls::LibraryDefaults, nullptr);
}

int CCurlEasyClient::getHttps(const std::string& url, std::string* response, const char* caPath) {
    return transfer(url, nullptr, response, Tls::Verified, caPath);
}

int CCurlEasyClient::postHttps(const std::string& url,
                               const std::string& body,
                               std::string* response,
                               const char* caPath) {
    return transfer(url, &body, response, Tls::Verified, caPath);
}

int CCurlEasyClient::transfer(const std::string& url,
                              const std::string* body,
                              std::string* response,
                              Tls tls,
                              const char* caPath) {
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> handle(curl_easy_init(), curl_easy_cleanup);
    if (!handle) {
        return CURLE_FAILED_INIT;
    }
    CURL* const curl = handle.get();
    if (debug) {
        curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
        curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, &curlDebugCallback);
    }
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    if (body) {
        // No size: libcurl measures the body up to its first zero byte.
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body->c_str());
    }
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, static_cast<curl_read_callback>(nullptr));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &CCurlEasyClient::onWriteData);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, response);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    if (tls == Tls::Verified) {
        // The account service is always verified.
        setVerifiedTls(curl, caPath ? caPath : "");
    }
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 8L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 10L);
    return curl_easy_perform(curl);
}

int CCurlEasyClient::onDebug(CURL* /*handle*/, int type, char* data, size_t size, void* /*user*/) noexcept {
    const char* tag = nullptr;
    switch (type) {
        case CURLINFO_HEADER_IN:
            tag = "[HEADER_IN]";
            break;
        case CURLINFO_HEADER_OUT:
            tag = "[HEADER_OUT]";
            break;
        case CURLINFO_DATA_IN:
            tag = "[DATA_IN]";
            break;
        case CURLINFO_DATA_OUT:
            tag = "[DATA_OUT]";
            break;
        default:
            return 0;
    }
    std::fputs(tag, stdout);
    std::fwrite(data, 1, size, stdout);
    std::fputc('\n', stdout);
    return 0;
}

size_t CCurlEasyClient::onWriteData(void* data, size_t size, size_t count, void* user) noexcept {
    if (!data || !user) {
        return SIZE_MAX;
    }
    try {
        static_cast<std::string*>(user)->append(static_cast<const char*>(data), size * count);
    } catch (...) {
        return SIZE_MAX;  // out of memory: libcurl ends the transfer with its write error
    }
    return size * count;
}
