#pragma once

// Addresses as the engine resolves them: absolute http and https addresses, and references
// relative to a page's address (path, query, "//host", "#fragment").

#include <string>

namespace wke {

struct Url {
    std::string scheme;     // lower-case, without ":"
    std::string authority;  // host[:port]
    std::string path;       // begins with "/" for http(s)
    std::string query;      // without "?"
    std::string fragment;   // without "#"
    bool hasQuery = false;
    bool hasFragment = false;

    // Reads an absolute address; false when it has no scheme.
    static bool parse(const std::string& text, Url& out);
    std::string toString(bool withFragment = true) const;
};

// The absolute address of a reference on a page at base; the reference itself when it is
// absolute, "" when it cannot be resolved.
std::string resolveUrl(const std::string& base, const std::string& reference);
// True when two addresses differ only in their fragments.
bool sameDocument(const std::string& a, const std::string& b);
// application/x-www-form-urlencoded text of a UTF-8 value.
std::string formEncode(const std::string& utf8);

}  // namespace wke
