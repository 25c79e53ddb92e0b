#pragma once

// The XML resources parsed as the UI library parses them (pugixml over the UTF-8 bytes).

#include <windows.h>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "expected.h"
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

// Every attribute value by which a layout or the menu names a skin.
inline std::vector<std::pair<std::string, std::string>> skinsNamedByResources() {
    std::vector<std::pair<std::string, std::string>> named;
    auto collect = [&](const std::string& where, const pugi::xml_node node) {
        for (const pugi::xpath_node found :
             node.select_nodes("descendant-or-self::*[@skin or @itemSkin or @iconSkin]")) {
            const pugi::xml_node element = found.node();
            for (const char* attribute : {"skin", "itemSkin", "iconSkin"}) {
                if (element.attribute(attribute))
                    named.emplace_back(where, element.attribute(attribute).value());
            }
        }
    };
    for (const auto& layout : expected::kLayouts) {
        const std::wstring name(layout.resource);
        auto doc = loadXml(L"LAYOUT", name.c_str());
        collect(utf8(name), *doc);
    }
    auto menu = loadXml(L"SMENU", L"menu");
    collect("menu", *menu);
    return named;
}

}  // namespace resfixture

namespace expected {

// Test names and messages show the layout's resource name.
inline void PrintTo(const LayoutInfo& layout, std::ostream* os) {
    *os << resfixture::utf8(layout.resource);
}

}  // namespace expected
