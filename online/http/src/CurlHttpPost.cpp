#include "online/http/CurlHttpPost.h"

#include <foundation/CodePage.h>

#include <exception>

#include "CurlError.h"
#include "online/http/CrashReportAddress.h"

CCurlHttpPost::CCurlHttpPost(const char* /*url*/,
                             const char* /*caPath*/,
                             int /*connectTimeoutMs*/,
                             int /*timeoutSec*/,
                             bool /*verbose*/)
    : CCurlHttpBase(kCrashReportUploadUrl, "", 0, 0, false) {}

bool CCurlHttpPost::setMethodOptions() {
    try {
        throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_POST, 1L));
        throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_POSTFIELDS, m_postFields.c_str()));
    } catch (const std::exception& e) {
        setLastError(L"%s", exceptionText(e).c_str());
        return false;
    }
    return true;
}
