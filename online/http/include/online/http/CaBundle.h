#pragma once

#include <string>

#include "online/http/CurlTypes.h"

// The CA bundle that TLS is verified against when no other file is given: "curl-ca-bundle.crt"
// beside the running executable, as a UTF-8 path (OpenSSL opens UTF-8 paths as wide file names).
std::string defaultCaBundlePath();

// Whether an address is one of TLS: its scheme is "https", in any letter case.
bool isHttpsAddress(const std::string& url);

// The TLS of every transfer to the services: peer and host always verified, against `caFile` or,
// when that is empty, the bundle beside the program. Sets libcurl's options in this order:
// verify peer, verify host, CA file. libcurl's code (CURLcode) of the first option it refuses, the
// later ones then unset; else 0.
int setVerifiedTls(CURL* handle, const std::string& caFile);
