#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "expected.h"
#include "module_resources.h"
#include "xml_fixture.h"

namespace {

using resfixture::loadXml;
using resfixture::utf8;

std::string lower(std::string text) {
    for (auto& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

std::map<std::string, std::string> table(const wchar_t* name, const char* rootName) {
    auto doc = loadXml(L"VALUES", name);
    const pugi::xml_node root = doc->child(rootName);
    EXPECT_TRUE(root) << rootName;
    std::map<std::string, std::string> entries;
    for (const pugi::xml_node entry : root.children()) {
        EXPECT_TRUE(entries.emplace(entry.name(), entry.attribute("value").value()).second)
            << "twice: " << entry.name();
    }
    return entries;
}

TEST(StringTable, HoldsTheProductsTexts) {
    const auto strings = table(L"string", "string");
    EXPECT_EQ(strings.size(), 10u);
    EXPECT_EQ(strings.at("title"), "BravikPDF编辑器3.2.7");
    EXPECT_EQ(strings.at("version"), "3.2.7");
    EXPECT_EQ(strings.at("prover"), "327");
    EXPECT_EQ(strings.at("configName"), "wconfig.ini");
    EXPECT_EQ(strings.at("controlFile"), "wke.dll");

    // The web site's pages hang off its base address.
    const std::string web = strings.at("webUrl");
    EXPECT_EQ(web.rfind("https://", 0), 0u) << web;
    EXPECT_EQ(web.back(), '/') << web;
    EXPECT_EQ(strings.at("readerUrl"), web + "pdfyuedu");
    EXPECT_EQ(strings.at("convertUrl"), web + "pdfzhuanhuan");
    EXPECT_EQ(strings.at("courseUrl"), web + "pdfbianji/jiaocheng");

    // The customer-service page: HTTPS, path /client, its four query fields in order.
    const std::string custom = strings.at("customUrl");
    EXPECT_EQ(custom.rfind("https://", 0), 0u) << custom;
    const size_t path = custom.find('/', 8);
    ASSERT_NE(path, std::string::npos);
    EXPECT_EQ(custom.substr(path, 8), "/client?") << custom;
    const std::string query = custom.substr(path + 8);
    const std::string prefix = "k=5c07e2a9b41d8f36a0e7c25b9d14f803&wp=1&gid=";
    ASSERT_EQ(query.rfind(prefix, 0), 0u) << query;
    const std::string rest = query.substr(prefix.size());
    const size_t amp = rest.find('&');
    ASSERT_NE(amp, std::string::npos);
    EXPECT_GT(amp, 0u) << "group number";
    EXPECT_EQ(rest.find_first_not_of("0123456789"), amp) << rest;
    EXPECT_EQ(rest.substr(amp), "&robotShuntSwitch=0");
}

TEST(ColourTable, HoldsTheFiveColours) {
    const std::map<std::string, std::string> want = {{"red", "rgb(255,0,0)"},
                                                     {"green", "rgb(0,255,0)"},
                                                     {"blue", "rgb(0,0,255)"},
                                                     {"white", "rgb(255,255,255)"},
                                                     {"gray", "#808080"}};
    EXPECT_EQ(table(L"color", "color"), want);
}

TEST(UiDefinition, NamesTheFontTablesAndStyleClasses) {
    auto doc = loadXml(L"UIDEF", L"XML_INIT");
    const pugi::xml_node def = doc->child("uidef");
    ASSERT_TRUE(def);
    EXPECT_STREQ(def.child("font").attribute("face").value(), "微软雅黑");
    EXPECT_EQ(def.child("font").attribute("size").as_int(), 14);
    EXPECT_EQ(lower(def.child("string").attribute("src").value()), "values:string");
    EXPECT_EQ(lower(def.child("skin").attribute("src").value()), "values:skin");
    EXPECT_EQ(lower(def.child("color").attribute("src").value()), "values:color");
    EXPECT_TRUE(def.child("objattr")) << "object-attribute section";
    EXPECT_FALSE(def.child("objattr").first_child());

    const std::map<std::string, std::map<std::string, std::string>> want = {
        {"normalbtn",
         {{"font", ""},
          {"colorText", "#385e8b"},
          {"colorTextDisable", "#91a7c0"},
          {"textMode", "0x25"},
          {"cursor", "hand"},
          {"margin-x", "0"}}},
        {"cls_btn_weblink",
         {{"cursor", "hand"},
          {"colorText", "#1e78d5"},
          {"colorTextHover", "#1e78d5"},
          {"font", "italic:1"},
          {"fontHover", "underline:1,italic:1"}}},
    };
    std::map<std::string, std::map<std::string, std::string>> got;
    for (const pugi::xml_node cls : def.child("style").children("class")) {
        auto& attributes = got[cls.attribute("name").value()];
        for (const pugi::xml_attribute a : cls.attributes()) {
            if (std::string(a.name()) != "name")
                attributes[a.name()] = a.value();
        }
    }
    EXPECT_EQ(got, want);
}

TEST(MenuStyle, GivesTheLookAndNoItems) {
    auto doc = loadXml(L"SMENU", L"menu");
    const pugi::xml_node menu = doc->child("menu");
    ASSERT_TRUE(menu);
    EXPECT_FALSE(menu.first_child()) << "items come from code";
    const std::map<std::string, std::string> want = {{"itemSkin", "bg_menu_imglist"},
                                                     {"colorTextSel", "#dd2421"},
                                                     {"colorBkgnd", "#dd2421"},
                                                     {"itemHeight", "30"},
                                                     {"iconMargin", "4"},
                                                     {"textMargin", "8"},
                                                     {"maxWidth", "95"},
                                                     {"contextHelpId", "1"}};
    std::map<std::string, std::string> got;
    for (const pugi::xml_attribute a : menu.attributes())
        got[a.name()] = a.value();
    EXPECT_EQ(got, want);
}

struct SkinEntry {
    std::string kind, src;
    int states;
    bool vertical;
};

std::map<std::string, SkinEntry> skinTable() {
    auto doc = loadXml(L"VALUES", L"skin");
    std::map<std::string, SkinEntry> skins;
    for (const pugi::xml_node skin : doc->child("skin").children()) {
        SkinEntry entry{skin.name(), skin.attribute("src").value(), skin.attribute("states").as_int(1),
                        skin.attribute("vertical").as_bool(false)};
        EXPECT_TRUE(skins.emplace(skin.attribute("name").value(), entry).second)
            << "twice: " << skin.attribute("name").value();
    }
    return skins;
}

TEST(SkinTable, EachSkinCutsItsPictureIntoItsStates) {
    const auto skins = skinTable();
    EXPECT_EQ(skins.size(), std::size(expected::kSkins));
    for (const auto& want : expected::kSkins) {
        const std::string name = utf8(want.name);
        ASSERT_TRUE(skins.count(name)) << name;
        const SkinEntry& got = skins.at(name);
        EXPECT_EQ(got.kind, want.kind == expected::SkinKind::frame ? "imgframe" : "imglist") << name;
        EXPECT_EQ(lower(got.src), lower("img:" + utf8(want.image))) << name;
        EXPECT_EQ(got.states, want.states) << name;
        if (want.states > 1) {
            EXPECT_EQ(got.vertical, want.vertical) << name;
        }
        // The picture it cuts is in the module.
        const std::wstring image(want.image);
        EXPECT_FALSE(resfixture::resourceBytes(L"IMG", image.c_str()).empty()) << name;
    }
}

TEST(SkinTable, HoldsEverySkinThatLayoutsMenuAndCodeName) {
    const auto skins = skinTable();
    const auto named = resfixture::skinsNamedByResources();
    EXPECT_GT(named.size(), 40u);
    bool systemSkinUsed = false;
    for (const auto& [where, skin] : named) {
        if (skin == utf8(expected::kSystemSkin)) {
            systemSkinUsed = true;
            EXPECT_EQ(where, "XML_WECHAT") << "only the image dialog uses the library's own skin";
            continue;
        }
        EXPECT_TRUE(skins.count(skin)) << where << " names " << skin;
    }
    EXPECT_TRUE(systemSkinUsed);
    for (const auto name : expected::kSkinsNamedByCode) {
        EXPECT_TRUE(skins.count(utf8(name))) << utf8(name);
    }
}

}  // namespace
