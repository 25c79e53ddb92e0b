#pragma once

#include <map>
#include <string>

// Query texts of name=value pairs, in byte order of the names, joined by "&".
using QueryPairs = std::map<std::string, std::string>;

// Blank to "+"; letters, digits and . _ - * kept; every other byte as %XX (upper-case digits).
std::string urlEncode(const std::string& text);
// "+" to blank and %XX to its byte, except that an escape of a digit, a letter or one of
// ! $ & ' ( ) * + , - . / : ; = ? @ _ stays as written.
std::string urlDecode(const std::string& text);

// encode == 1 URL-encodes names and values; any other value sends them as they are.
std::string buildQueryString(const QueryPairs& pairs, unsigned char encode);
std::string appendQueryString(const std::string& address, const QueryPairs& pairs, unsigned char encode);
