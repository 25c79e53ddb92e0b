#pragma once

#include <curl/curl.h>

#include <stdexcept>

// Errors of libcurl travel inside a transfer operation as this exception, whose message is the
// library's text for the code; the operation turns it into its last-error text.
class CCurlError : public std::runtime_error {
  public:
    explicit CCurlError(CURLcode code) : std::runtime_error(curl_easy_strerror(code)), m_code(code) {}
    CURLcode code() const { return m_code; }

  private:
    CURLcode m_code;
};

inline void throwIfCurlFailed(CURLcode code) {
    if (code != CURLE_OK) {
        throw CCurlError(code);
    }
}
