#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "online/http/CurlTypes.h"
#include "online/http/UniteBase.h"

// Set once curl_global_init has succeeded; shared by every transfer class and never reset.
extern bool g_curlGlobalInitDone;

// One synchronous HTTP GET per perform over libcurl's easy interface; the reply body stays in the
// object. Every step of perform is virtual, so a derived class changes the request at that step.
// Operations return false with the reason in the last-error text and throw nothing to the caller.
// An https address is always verified as setVerifiedTls says, against m_caPath or, when that is
// empty, the CA bundle beside the executable; a plain http address gets no TLS option.
class CCurlHttpBase : public CUniteBase {
  public:
    CCurlHttpBase();
    CCurlHttpBase(const char* url, const char* caPath, int connectTimeoutMs, int timeoutSec, bool verbose);
    ~CCurlHttpBase() override;

    // Starts the object afresh; a handle or header list it holds is released first.
    void init() override;

    virtual bool prepare();
    virtual bool perform();
    // keepHandle false releases the header list and the handle; the next transfer makes new ones.
    virtual bool cleanup(bool keepHandle);
    virtual bool setOptions();
    virtual bool setMethodOptions();
    virtual bool beforePerform();
    virtual bool afterPerform();
    virtual bool freeHeaders();
    virtual bool addHeader(const char* line);
    virtual void resetResponse();
    virtual bool initCurl();
    virtual bool setDefaultHeaders();
    virtual int onDebug(CURL* handle, int type, const char* data, size_t size);
    // Takes size * count bytes; a null data pointer answers all-ones, which libcurl takes as a
    // write error.
    virtual size_t onWrite(const void* data, size_t size, size_t count);

    // libcurl's callbacks; the user pointer is the object. The info type is libcurl's curl_infotype.
    static int debugCallback(CURL* handle, int type, char* data, size_t size, void* user) noexcept;
    static size_t writeCallback(char* data, size_t size, size_t count, void* user) noexcept;

    int getConnectTimeoutMs() const { return m_connectTimeoutMs; }
    void setConnectTimeoutMs(int ms) { m_connectTimeoutMs = ms; }
    int getTimeout() const { return m_timeoutSec; }
    void setTimeout(int seconds) { m_timeoutSec = seconds; }
    std::string& url() { return m_url; }
    void setUrl(std::string value) { m_url = std::move(value); }
    std::string& caPath() { return m_caPath; }
    void setCaPath(std::string value) { m_caPath = std::move(value); }
    const char* responseBody() const { return m_responseBody.c_str(); }
    bool getVerbose() const { return m_verbose; }
    void setVerbose(bool value) { m_verbose = value; }
    std::string& proxy() { return m_proxy; }
    void setProxy(const std::string& value) { m_proxy = value; }

  protected:
    CURL* m_handle = nullptr;
    curl_slist* m_headers = nullptr;
    int m_connectTimeoutMs = 0;  // 0 leaves the library's default
    int m_timeoutSec = 0;        // 0 leaves the library's default (no limit)
    bool m_verbose = false;
    std::string m_url;
    std::string m_caPath;
    std::string m_responseBody;
    std::string m_proxy;
};
