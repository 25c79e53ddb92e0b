// The element names the library knows: those of every layout its providers hold, and those code
// gave elements. A find by any other name is a mistake of the program (SWindow::FindChildByName).
#include <pugixml.hpp>
#include <soui/SApplication.h>

#include <set>
#include <string>
#include <vector>

#include "AttrParse.h"
#include "Internal.h"

namespace SOUI {
namespace {

struct ElementNames {
    std::set<std::wstring> given;
    // The layouts whose names are in `inLayouts`; read again when the providers' layouts change.
    std::vector<std::wstring> layouts;
    std::set<std::wstring> inLayouts;
};

ElementNames& names() {
    static ElementNames n;
    return n;
}

void CollectNames(const pugi::xml_node& node, std::set<std::wstring>& out) {
    for (const pugi::xml_node& e : node.children()) {
        if (e.type() != pugi::node_element) {
            continue;
        }
        if (pugi::xml_attribute a = e.attribute("name")) {
            out.insert(Utf8ToWide(a.value()));
        }
        CollectNames(e, out);
    }
}

void ReadLayoutNames(const SApplication& app) {
    ElementNames& n = names();
    const std::vector<std::wstring> layouts = app.ListResources(L"LAYOUT");
    if (layouts == n.layouts) {
        return;
    }
    n.layouts = layouts;
    n.inLayouts.clear();
    for (const std::wstring& layout : layouts) {
        std::string xml;
        pugi::xml_document doc;
        if (app.GetRawBuffer(layout.c_str(), xml) &&
            doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8)) {
            // The host's own name names the window, not an element below it.
            CollectNames(doc.document_element(), n.inLayouts);
        }
    }
}

}  // namespace

void RememberElementName(const std::wstring& name) {
    if (!name.empty()) {
        names().given.insert(name);
    }
}

BOOL IsKnownElementName(const std::wstring& name) {
    if (names().given.count(name)) {
        return TRUE;
    }
    if (const SApplication* app = SApplication::getSingletonPtr()) {
        ReadLayoutNames(*app);
    }
    return names().inLayouts.count(name) > 0;
}

}  // namespace SOUI
