#pragma once

// The cookie jar file: Netscape cookie-file lines (domain, subdomains flag, path, secure flag,
// expiry, name, value, tab-separated; "#HttpOnly_" before the domain of an HTTP-only cookie).

#include <string>
#include <vector>

namespace wke {

// The cookie lines of the file; none when it is missing or unreadable.
std::vector<std::string> readCookieJar(const std::wstring& path);
// Replaces the file with the lines (through a new file moved into place); false on failure.
bool writeCookieJar(const std::wstring& path, const std::vector<std::string>& lines);

}  // namespace wke
