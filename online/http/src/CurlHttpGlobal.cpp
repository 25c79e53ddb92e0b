#include "online/http/CurlHttpGlobal.h"

#include <curl/curl.h>

#include "online/http/CurlHttpBase.h"

bool CCurlHttpGlobal::init() {
    if (!g_curlGlobalInitDone) {
        if (curl_global_init(CURL_GLOBAL_WIN32) != CURLE_OK) {
            return false;
        }
        g_curlGlobalInitDone = true;
    }
    return true;
}

bool CCurlHttpGlobal::cleanup() {
    curl_global_cleanup();
    return true;
}
