#pragma once

#include "online/http/CurlHttpBase.h"

// A GET transfer of its own name; nothing creates one.
class CCurlHttpQuery : public CCurlHttpBase {
  public:
    CCurlHttpQuery() = default;
    CCurlHttpQuery(const char* url, const char* caPath, int connectTimeoutMs, int timeoutSec, bool verbose)
        : CCurlHttpBase(url, caPath, connectTimeoutMs, timeoutSec, verbose) {}
    ~CCurlHttpQuery() override = default;
};
