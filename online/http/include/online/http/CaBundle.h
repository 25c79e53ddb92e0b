#pragma once

#include <string>

// The CA bundle that TLS is verified against when no other file is given: "curl-ca-bundle.crt"
// beside the running executable, as a UTF-8 path (OpenSSL opens UTF-8 paths as wide file names).
std::string defaultCaBundlePath();
