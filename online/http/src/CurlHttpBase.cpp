#include "online/http/CurlHttpBase.h"

#include <curl/curl.h>
#include <foundation/CodePage.h>

#include <cstdint>
#include <exception>

#include "CurlError.h"
#include "online/http/CaBundle.h"
#include "online/http/DebugPrint.h"

bool g_curlGlobalInitDone = false;

namespace {

const char kAcceptHeader[] =
    "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8";
const char kUserAgentHeader[] =
    "User-Agent: Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/69.0.3497.100 Safari/537.36";

// libcurl's exact debug callback type, in front of the object's.
int curlDebugCallback(CURL* handle, curl_infotype type, char* data, size_t size, void* user) {
    return CCurlHttpBase::debugCallback(handle, static_cast<int>(type), data, size, user);
}

// A failure is not reported: the flag stays false and the next object tries again.
void initCurlGlobalOnce() {
    if (!g_curlGlobalInitDone && curl_global_init(CURL_GLOBAL_WIN32) == CURLE_OK) {
        g_curlGlobalInitDone = true;
    }
}

}  // namespace

CCurlHttpBase::CCurlHttpBase() {
    initCurlGlobalOnce();
}

CCurlHttpBase::CCurlHttpBase(const char* url, const char* caPath, int connectTimeoutMs, int timeoutSec, bool verbose)
    : m_connectTimeoutMs(connectTimeoutMs),
      m_timeoutSec(timeoutSec),
      m_verbose(verbose),
      m_url(url ? url : ""),
      m_caPath(caPath ? caPath : "") {
    initCurlGlobalOnce();
}

CCurlHttpBase::~CCurlHttpBase() {
    if (m_headers) {
        curl_slist_free_all(m_headers);
    }
    if (m_handle) {
        curl_easy_cleanup(m_handle);
    }
}

void CCurlHttpBase::init() {
    initCurlGlobalOnce();
    // A used object gives its handle and list back instead of losing them.
    CCurlHttpBase::cleanup(false);
    m_connectTimeoutMs = 0;
    m_timeoutSec = 0;
    m_verbose = false;
}

bool CCurlHttpBase::prepare() {
    resetResponse();
    if (!initCurl()) {
        return false;
    }
    return setDefaultHeaders();
}

bool CCurlHttpBase::perform() {
    if (!prepare() || !setOptions() || !setMethodOptions() || !beforePerform()) {
        return false;
    }
    try {
        throwIfCurlFailed(curl_easy_perform(m_handle));
    } catch (const std::exception& e) {
        setLastError(L"%s", exceptionText(e).c_str());
        return false;
    }
    return afterPerform();
}

bool CCurlHttpBase::cleanup(bool keepHandle) {
    if (keepHandle) {
        return true;
    }
    freeHeaders();
    if (m_handle) {
        curl_easy_cleanup(m_handle);
        m_handle = nullptr;
    }
    return true;
}

bool CCurlHttpBase::setOptions() {
    try {
        throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_PROXY, m_proxy.empty() ? nullptr : m_proxy.c_str()));
        if (m_verbose) {
            throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_VERBOSE, 1L));
            throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_DEBUGFUNCTION, &curlDebugCallback));
            throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_DEBUGDATA, this));
        } else {
            throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_VERBOSE, 0L));
            throwIfCurlFailed(
                curl_easy_setopt(m_handle, CURLOPT_DEBUGFUNCTION, static_cast<curl_debug_callback>(nullptr)));
            throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_DEBUGDATA, static_cast<void*>(nullptr)));
        }
        throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_URL, m_url.c_str()));
        throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_READFUNCTION, static_cast<curl_read_callback>(nullptr)));
        throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_WRITEFUNCTION, &CCurlHttpBase::writeCallback));
        throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_WRITEDATA, this));
        // Plain HTTP (the crash-report upload) has no TLS, so no CA file is looked for.
        if (isHttpsAddress(m_url)) {
            throwIfCurlFailed(static_cast<CURLcode>(setVerifiedTls(m_handle, m_caPath)));
        }
        throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_NOSIGNAL, 1L));
        if (m_connectTimeoutMs != 0) {
            throwIfCurlFailed(
                curl_easy_setopt(m_handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_connectTimeoutMs)));
        }
        if (m_timeoutSec != 0) {
            throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_TIMEOUT, static_cast<long>(m_timeoutSec)));
        }
        if (m_headers) {
            throwIfCurlFailed(curl_easy_setopt(m_handle, CURLOPT_HTTPHEADER, m_headers));
        }
    } catch (const std::exception& e) {
        setLastError(L"%s", exceptionText(e).c_str());
        return false;
    }
    return true;
}

bool CCurlHttpBase::setMethodOptions() {
    return true;
}

bool CCurlHttpBase::beforePerform() {
    return true;
}

bool CCurlHttpBase::afterPerform() {
    return true;
}

bool CCurlHttpBase::freeHeaders() {
    if (m_headers) {
        curl_slist_free_all(m_headers);
        m_headers = nullptr;
    }
    return true;
}

bool CCurlHttpBase::addHeader(const char* line) {
    curl_slist* list = curl_slist_append(m_headers, line);
    if (!list) {
        return false;
    }
    m_headers = list;
    return true;
}

void CCurlHttpBase::resetResponse() {
    cleanup(true);
    m_responseBody.clear();
}

bool CCurlHttpBase::initCurl() {
    if (!m_handle) {
        m_handle = curl_easy_init();
    }
    if (!m_handle) {
        setLastError(L"Error:无法初始化curlCCurlHttpBase::initCurl");
        return false;
    }
    return true;
}

bool CCurlHttpBase::setDefaultHeaders() {
    if (!m_headers) {
        curl_slist* list = curl_slist_append(nullptr, kAcceptHeader);
        if (list) {
            if (curl_slist* more = curl_slist_append(list, kUserAgentHeader)) {
                list = more;
            }
        }
        m_headers = list;
    }
    return true;
}

int CCurlHttpBase::onDebug(CURL* /*handle*/, int type, const char* data, size_t size) {
    // The library's text is not terminated; the conversion stops at a zero byte inside it.
    std::wstring text;
    acpToWide(std::string(data, size), text);
    debugPrintLine(L"Type:%d,%s", type, text.c_str());
    return 0;
}

size_t CCurlHttpBase::onWrite(const void* data, size_t size, size_t count) {
    if (!data) {
        return SIZE_MAX;
    }
    m_responseBody.append(static_cast<const char*>(data), size * count);
    return size * count;
}

int CCurlHttpBase::debugCallback(CURL* handle, int type, char* data, size_t size, void* user) noexcept {
    try {
        return static_cast<CCurlHttpBase*>(user)->onDebug(handle, type, data, size);
    } catch (...) {
        return 0;  // debug output is best effort; the transfer goes on
    }
}

size_t CCurlHttpBase::writeCallback(char* data, size_t size, size_t count, void* user) noexcept {
    if (!user) {
        return SIZE_MAX;
    }
    try {
        return static_cast<CCurlHttpBase*>(user)->onWrite(data, size, count);
    } catch (...) {
        return SIZE_MAX;  // out of memory: libcurl ends the transfer with its write error
    }
}
