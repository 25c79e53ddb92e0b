// The cross-built jsoncpp and pugixml work inside a Windows executable.
#include <json/json.h>
#include <pugixml.hpp>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TEST(Jsoncpp, ParsesAnAccountStyleReply) {
    const std::string reply = R"({"errno":0,"data":{"name":"\u5f20\u4e09","type":"3"},"list":[1,2]})";
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    ASSERT_TRUE(reader->parse(reply.data(), reply.data() + reply.size(), &root, &errors)) << errors;
    EXPECT_EQ(root["errno"].asInt(), 0);
    EXPECT_EQ(root["data"]["name"].asString(), "\xE5\xBC\xA0\xE4\xB8\x89");  // UTF-8 of 张三
    EXPECT_EQ(root["data"]["type"].asString(), "3");
    EXPECT_EQ(root["list"].size(), 2u);
}

TEST(Jsoncpp, RejectsBrokenJson) {
    const std::string reply = R"({"errno":)";
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    EXPECT_FALSE(reader->parse(reply.data(), reply.data() + reply.size(), &root, &errors));
    EXPECT_FALSE(errors.empty());
}

TEST(Pugixml, ParsesALayoutDocumentWithWideAccess) {
    const char* layout = R"(<window name="root" pos="0,0,-0,40"><text name="title">提示</text></window>)";
    pugi::xml_document doc;
    pugi::xml_parse_result result = doc.load_string(layout);
    ASSERT_TRUE(result) << result.description();
    pugi::xml_node root = doc.child("window");
    EXPECT_STREQ(root.attribute("pos").value(), "0,0,-0,40");
    EXPECT_EQ(pugi::as_wide(root.child("text").child_value()), std::wstring(L"提示"));
}

TEST(Pugixml, ReportsMalformedXml) {
    pugi::xml_document doc;
    EXPECT_FALSE(doc.load_string("<window><text></window>"));
}

}  // namespace
