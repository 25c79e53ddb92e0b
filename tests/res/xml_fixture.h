#pragma once

// The XML resources parsed as the UI library parses them (pugixml over the UTF-8 bytes).

#include <windows.h>

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <string_view>

#include "module_resources.h"

namespace resfixture {

inline std::string utf8(std::wstring_view text) {
    std::string out(text.size() * 3, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? n : 0);
    return out;
}

// Parsed resource; an empty document (and a test failure) when it is missing or malformed.
inline std::unique_ptr<pugi::xml_document> loadXml(const wchar_t* type, const wchar_t* name) {
    auto doc = std::make_unique<pugi::xml_document>();
    const std::string_view bytes = resourceBytes(type, name);
    if (bytes.empty()) {
        ADD_FAILURE() << "no resource " << utf8(type) << ":" << utf8(name);
        return doc;
    }
    const pugi::xml_parse_result parsed =
        doc->load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
        ADD_FAILURE() << utf8(type) << ":" << utf8(name) << ": " << parsed.description() << " at " << parsed.offset;
    return doc;
}

}  // namespace resfixture
