#pragma once

// Text conversions of the engine: UTF-8 and the page encodings it reads.

#include <string>

namespace wke {

std::wstring utf8ToWide(const std::string& text);
std::string wideToUtf8(const std::wstring& text);
// The characters of a page body: the charset of its Content-Type, else that of a <meta> near its
// start, else UTF-8 (a byte-order mark wins over both). Known: UTF-8, GBK / GB2312 / GB18030,
// Big5, ISO-8859-1 / Windows-1252.
std::wstring decodeBody(const std::string& body, const std::string& contentType);
// The media type of a Content-Type, lower-case, without parameters ("text/html").
std::string mediaType(const std::string& contentType);

}  // namespace wke
