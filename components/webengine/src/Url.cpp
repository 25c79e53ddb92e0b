#include "Url.h"

#include <cctype>
#include <vector>

namespace wke {

namespace {

std::string trimmed(const std::string& s) {
    size_t a = 0;
    size_t b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= 0x20) {
        ++a;
    }
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= 0x20) {
        --b;
    }
    return s.substr(a, b - a);
}

bool schemeOf(const std::string& s, std::string& scheme, size_t& after) {
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) {
        return false;
    }
    for (size_t i = 1; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == ':') {
            scheme = s.substr(0, i);
            for (char& ch : scheme) {
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            }
            after = i + 1;
            return true;
        }
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return false;
}

// Removes "." and ".." segments.
std::string normalisePath(const std::string& path) {
    std::vector<std::string> out;
    size_t i = 0;
    const bool trailing =
        !path.empty() && (path.back() == '/' || (path.size() >= 2 && path.compare(path.size() - 2, 2, "/.") == 0) ||
                          (path.size() >= 3 && path.compare(path.size() - 3, 3, "/..") == 0));
    while (i < path.size()) {
        size_t j = path.find('/', i);
        if (j == std::string::npos) {
            j = path.size();
        }
        const std::string seg = path.substr(i, j - i);
        if (seg == "..") {
            if (!out.empty()) {
                out.pop_back();
            }
        } else if (seg != "." && !seg.empty()) {
            out.push_back(seg);
        }
        i = j + 1;
    }
    std::string result;
    for (const std::string& seg : out) {
        result += "/" + seg;
    }
    if (result.empty() || trailing) {
        result += "/";
    }
    return result;
}

void splitTail(std::string& rest, Url& u) {
    const size_t hash = rest.find('#');
    if (hash != std::string::npos) {
        u.fragment = rest.substr(hash + 1);
        u.hasFragment = true;
        rest.resize(hash);
    }
    const size_t q = rest.find('?');
    if (q != std::string::npos) {
        u.query = rest.substr(q + 1);
        u.hasQuery = true;
        rest.resize(q);
    }
}

}  // namespace

bool Url::parse(const std::string& text, Url& out) {
    const std::string s = trimmed(text);
    Url u;
    size_t after = 0;
    if (!schemeOf(s, u.scheme, after)) {
        return false;
    }
    std::string rest = s.substr(after);
    for (char& c : rest) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (rest.compare(0, 2, "//") == 0) {
        size_t end = rest.find_first_of("/?#", 2);
        if (end == std::string::npos) {
            end = rest.size();
        }
        u.authority = rest.substr(2, end - 2);
        for (char& c : u.authority) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        rest = rest.substr(end);
    }
    splitTail(rest, u);
    u.path = (u.scheme == "http" || u.scheme == "https") ? normalisePath(rest) : rest;
    out = u;
    return true;
}

std::string Url::toString(bool withFragment) const {
    std::string s = scheme + ":";
    if (!authority.empty() || scheme == "http" || scheme == "https") {
        s += "//" + authority;
    }
    s += path;
    if (hasQuery) {
        s += "?" + query;
    }
    if (withFragment && hasFragment) {
        s += "#" + fragment;
    }
    return s;
}

std::string resolveUrl(const std::string& base, const std::string& reference) {
    const std::string ref = trimmed(reference);
    Url abs;
    if (Url::parse(ref, abs)) {
        return abs.toString();
    }
    Url b;
    if (!Url::parse(base, b) || (b.scheme != "http" && b.scheme != "https")) {
        return "";
    }
    std::string rest = ref;
    for (char& c : rest) {
        if (c == '\\') {
            c = '/';
        }
    }
    Url r;
    r.scheme = b.scheme;
    if (rest.compare(0, 2, "//") == 0) {
        return resolveUrl(base, b.scheme + ":" + rest);
    }
    r.authority = b.authority;
    splitTail(rest, r);
    if (rest.empty()) {
        r.path = b.path;
        if (!r.hasQuery) {
            r.query = b.query;
            r.hasQuery = b.hasQuery;
        }
    } else if (rest[0] == '/') {
        r.path = normalisePath(rest);
    } else {
        const size_t slash = b.path.rfind('/');
        r.path = normalisePath(b.path.substr(0, slash == std::string::npos ? 0 : slash + 1) + rest);
    }
    return r.toString();
}

bool sameDocument(const std::string& a, const std::string& b) {
    Url x;
    Url y;
    return Url::parse(a, x) && Url::parse(b, y) && x.toString(false) == y.toString(false);
}

std::string formEncode(const std::string& utf8) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : utf8) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '*') {
            out += static_cast<char>(c);
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

}  // namespace wke
