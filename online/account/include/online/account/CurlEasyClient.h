#pragma once

#include <online/http/CurlTypes.h>

#include <cstddef>
#include <string>

// One synchronous HTTP(S) transfer per call over libcurl's easy interface; the reply body is
// appended to a string the caller owns. Connection phase up to 8 seconds, whole transfer up to 10.
// The HTTPS forms always verify peer and host, against the CA file given or, when none is, the
// bundle beside the program (setVerifiedTls). Results are libcurl's codes (CURLcode).
class CCurlEasyClient {
  public:
    constexpr CCurlEasyClient() = default;
    ~CCurlEasyClient() = default;

    CCurlEasyClient(const CCurlEasyClient&) = delete;
    CCurlEasyClient& operator=(const CCurlEasyClient&) = delete;

    // True also sends libcurl's header and data traffic to the standard output.
    void setDebug(bool flag) { debug = flag; }

    int get(const std::string& url, std::string* response);
    int post(const std::string& url, const std::string& body, std::string* response);
    int getHttps(const std::string& url, std::string* response, const char* caPath);
    int postHttps(const std::string& url, const std::string& body, std::string* response, const char* caPath);

    // libcurl's debug callback; the info type is libcurl's curl_infotype.
    static int onDebug(CURL* handle, int type, char* data, size_t size, void* user) noexcept;
    // Appends size * count bytes to the response string (the user pointer); a null string or data
    // answers -1, which libcurl takes as a write error.
    static size_t onWriteData(void* data, size_t size, size_t count, void* user) noexcept;

  private:
    enum class Tls { LibraryDefaults, Verified };
    int transfer(const std::string& url, const std::string* body, std::string* response, Tls tls, const char* caPath);

    bool debug = false;
};

// The one client of the process.
extern CCurlEasyClient g_curlEasyClient;
