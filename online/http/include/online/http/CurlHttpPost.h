#pragma once

#include <string>

#include "online/http/CurlHttpBase.h"

// A POST of m_postFields. libcurl reads the body from the object during the transfer and measures
// it up to its first zero byte, so the body must stay unchanged until perform returns.
class CCurlHttpPost : public CCurlHttpBase {
  public:
    CCurlHttpPost() = default;
    // The arguments are ignored: the object always posts to the crash-report service, plain HTTP,
    // without time-outs.
    CCurlHttpPost(const char* url, const char* caPath, int connectTimeoutMs, int timeoutSec, bool verbose);
    ~CCurlHttpPost() override = default;

    bool setMethodOptions() override;

    std::string& postFields() { return m_postFields; }
    void setPostFields(const std::string& value) { m_postFields = value; }

  protected:
    std::string m_postFields;
};
