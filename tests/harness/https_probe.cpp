// One HTTPS GET through libcurl and OpenSSL with peer and host verification, against the CA bundle
// "curl-ca-bundle.crt" beside this executable. tls_check.py starts the server, chooses the bundle and
// says what to expect: HARNESS_URL, HARNESS_EXPECT ("ok" or a libcurl result code).
#include <curl/curl.h>  // brings winsock2.h, which must come before windows.h
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string bundleBesideExecutable() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\') + 1) + "curl-ca-bundle.crt";
}

size_t collect(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

TEST(HttpsThroughLibcurl, VerifiesPeerAndHostAgainstBundleBesideExecutable) {
    const char* url = std::getenv("HARNESS_URL");
    const char* expect = std::getenv("HARNESS_EXPECT");
    ASSERT_TRUE(url && expect) << "started by tls_check.py, which sets HARNESS_URL and HARNESS_EXPECT";

    ASSERT_EQ(curl_global_init(CURL_GLOBAL_ALL), CURLE_OK);
    CURL* curl = curl_easy_init();
    ASSERT_NE(curl, nullptr);
    std::string body;
    const std::string bundle = bundleBesideExecutable();
    curl_easy_setopt(curl, CURLOPT_URL, url);
    curl_easy_setopt(curl, CURLOPT_CAINFO, bundle.c_str());
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 20L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    const CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    curl_global_cleanup();

    if (std::string(expect) == "ok") {
        EXPECT_EQ(rc, CURLE_OK) << curl_easy_strerror(rc);
        EXPECT_EQ(status, 200);
        EXPECT_EQ(body, "harness-ok");
    } else {
        EXPECT_EQ(static_cast<int>(rc), std::atoi(expect)) << curl_easy_strerror(rc);
        EXPECT_TRUE(body.empty());
    }
}

}  // namespace
