#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>
#include <vector>

#include "expected.h"
#include "xml_fixture.h"

namespace {

using resfixture::loadXml;
using resfixture::utf8;

class LayoutXml : public testing::TestWithParam<expected::LayoutInfo> {
  protected:
    void SetUp() override {
        doc_ = loadXml(L"LAYOUT", std::wstring(GetParam().resource).c_str());
        host_ = doc_->child("host");
        ASSERT_TRUE(host_) << "a layout is one <host>";
    }

    std::vector<pugi::xml_node> named(const std::string& name) const {
        std::vector<pugi::xml_node> found;
        for (const pugi::xpath_node n : host_.select_nodes(("descendant::*[@name='" + name + "']").c_str())) {
            found.push_back(n.node());
        }
        return found;
    }

    std::unique_ptr<pugi::xml_document> doc_;
    pugi::xml_node host_;
};

TEST_P(LayoutXml, HostHasTheWindowsSizeTitleAndLook) {
    const auto& want = GetParam();
    EXPECT_EQ(host_.attribute("width").as_int(), want.width);
    EXPECT_EQ(host_.attribute("height").as_int(), want.height);
    const std::string margin = host_.attribute("margin").value();
    if (want.margin) {
        const std::string m = std::to_string(want.margin);
        EXPECT_EQ(margin, m + "," + m + "," + m + "," + m);
    } else {
        EXPECT_EQ(margin, "");
    }
    EXPECT_EQ(host_.attribute("resizable").as_bool(false), want.resizable);
    EXPECT_EQ(host_.attribute("title").value(), utf8(want.title));
    EXPECT_EQ(host_.attribute("translucent").as_bool(false), want.translucent);
    if (want.translucent) {
        EXPECT_EQ(host_.attribute("alpha").as_int(), 255);
    }
    EXPECT_EQ(host_.attribute("bigIcon").value(), utf8(want.bigIcon));
    std::string small = utf8(want.bigIcon);
    small.replace(small.size() - 2, 2, "16");
    EXPECT_EQ(host_.attribute("smallIcon").value(), small);

    const pugi::xml_node root = host_.child("root");
    ASSERT_TRUE(root);
    EXPECT_EQ(root.attribute("skin").value(), utf8(want.rootSkin));
}

TEST_P(LayoutXml, HoldsItsNamedControlsWithKindAndId) {
    const auto& layout = GetParam();
    for (const auto& id : expected::kNamedIds) {
        const std::string name = utf8(id.name);
        const auto elements = named(name);
        if (!(id.layouts & layout.bit)) {
            EXPECT_TRUE(elements.empty()) << name << " is not declared here";
            continue;
        }
        ASSERT_EQ(elements.size(), static_cast<size_t>(id.count)) << name;
        const int wantId = expected::idIn(layout.bit, id);
        for (const pugi::xml_node element : elements) {
            EXPECT_EQ(element.name(), id.kind) << name;
            const std::string given = element.attribute("id").value();
            if (wantId == id.id && given.empty())
                continue;  // the named-ID table gives it
            const int explicitId = given == "IDOK"       ? 1
                                   : given == "IDCANCEL" ? 2
                                   : given == "IDCLOSE"  ? 8
                                                         : element.attribute("id").as_int(-1);
            EXPECT_EQ(explicitId, wantId) << name << " id \"" << given << "\"";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutXml, testing::ValuesIn(expected::kLayouts), [](const auto& param) {
    return utf8(param.param.resource);
});

}  // namespace
