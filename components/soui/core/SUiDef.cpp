// The UI definition: default font, value tables, style classes, per-kind default attributes.
#include <pugixml.hpp>
#include <soui/SUiDef.h>

#include "AttrParse.h"
#include "Internal.h"

namespace SOUI {

SStringW SNamedString::Get(const SStringW& nameOrText) const {
    static const wchar_t kPrefix[] = L"@string/";
    const int prefixLength = static_cast<int>(wcslen(kPrefix));
    if (nameOrText.Left(prefixLength) != kPrefix) {
        return nameOrText;
    }
    SStringW value;
    Lookup(nameOrText.Mid(prefixLength).c_str(), value);
    return value;
}

BOOL SNamedString::Lookup(LPCWSTR key, SStringW& value) const {
    auto it = table_.find(key ? key : L"");
    if (it == table_.end()) {
        return FALSE;
    }
    value = it->second.c_str();
    return TRUE;
}

void SNamedString::Set(LPCWSTR key, LPCWSTR value) {
    table_[key ? key : L""] = value ? value : L"";
}

COLORREF SNamedColor::Get(const SStringW& nameOrColor) const {
    static const wchar_t kPrefix[] = L"@color/";
    const int prefixLength = static_cast<int>(wcslen(kPrefix));
    if (nameOrColor.Left(prefixLength) == kPrefix) {
        auto it = table_.find(nameOrColor.Mid(prefixLength).c_str());
        return it == table_.end() ? CR_INVALID : it->second;
    }
    return ParseColor(nameOrColor.c_str());
}

void SNamedColor::Set(LPCWSTR key, COLORREF color) {
    table_[key ? key : L""] = color;
}

namespace {

SAttrList Attributes(const pugi::xml_node& node) {
    SAttrList list;
    for (const pugi::xml_attribute& a : node.attributes()) {
        list.emplace_back(Utf8ToWide(a.name()), Utf8ToWide(a.value()));
    }
    return list;
}

class UiDefInfo : public TObjRefImpl<IUiDefInfo> {
  public:
    ~UiDefInfo() override {
        for (auto& [name, skin] : skins_) {
            skin->Release();
        }
    }
    SNamedString* GetNamedString() override { return &strings_; }
    SNamedColor* GetNamedColor() override { return &colors_; }
    ISkinObj* GetSkin(LPCWSTR name) override {
        auto it = skins_.find(name ? name : L"");
        return it == skins_.end() ? nullptr : it->second;
    }
    const SStringW& GetDefFontFace() const override { return fontFace_; }
    int GetDefFontSize() const override { return fontSize_; }
    const SAttrList* GetStyleClass(LPCWSTR name) const override {
        auto it = classes_.find(name ? name : L"");
        return it == classes_.end() ? nullptr : &it->second;
    }
    const SAttrList* GetObjAttr(LPCWSTR kind) const override {
        auto it = objAttrs_.find(kind ? kind : L"");
        return it == objAttrs_.end() ? nullptr : &it->second;
    }

    BOOL Load(IResProvider* provider, const std::wstring& uidefName) {
        pugi::xml_document doc;
        if (!LoadXml(provider, uidefName, doc)) {
            return FALSE;
        }
        pugi::xml_node root = doc.document_element();
        if (pugi::xml_node font = root.child("font")) {
            fontFace_ = Utf8ToWide(font.attribute("face").value()).c_str();
            fontSize_ = ParseInt(Utf8ToWide(font.attribute("size").value()), 14);
        }
        if (fontFace_.IsEmpty()) {
            fontFace_ = L"微软雅黑";
        }
        LoadTable(provider, root.child("string"), [this](const pugi::xml_node& e) {
            strings_.Set(Utf8ToWide(e.name()).c_str(), Utf8ToWide(e.attribute("value").value()).c_str());
        });
        LoadTable(provider, root.child("color"), [this](const pugi::xml_node& e) {
            colors_.Set(Utf8ToWide(e.name()).c_str(), ParseColor(Utf8ToWide(e.attribute("value").value())));
        });
        LoadTable(provider, root.child("skin"), [this, provider](const pugi::xml_node& e) { AddSkin(e, provider); });
        for (const pugi::xml_node& c : root.child("style").children("class")) {
            // The class's own name is no attribute it gives its elements.
            SAttrList attrs = Attributes(c);
            std::erase_if(attrs, [](const auto& a) { return a.first == L"name"; });
            classes_[Utf8ToWide(c.attribute("name").value())] = std::move(attrs);
        }
        for (const pugi::xml_node& k : root.child("objattr").children()) {
            objAttrs_[Utf8ToWide(k.name())] = Attributes(k);
        }
        return TRUE;
    }

    void AddSkin(const pugi::xml_node& e, IResProvider* provider) {
        const std::wstring name = Utf8ToWide(e.attribute("name").value());
        if (name.empty()) {
            return;
        }
        ISkinObj* skin = MakeSkin(e, provider, FALSE);
        auto it = skins_.find(name);
        if (it != skins_.end()) {
            it->second->Release();
            skins_.erase(it);
        }
        skins_.emplace(name, skin);
    }

    static ISkinObj* MakeSkin(const pugi::xml_node& e, IResProvider* provider, BOOL eager) {
        const int states = ParseInt(Utf8ToWide(e.attribute("states").value()), 1);
        return CreateImageSkin(Utf8ToWide(e.attribute("name").value()), Utf8ToWide(e.attribute("src").value()), states,
                               ParseBool(Utf8ToWide(e.attribute("vertical").value())),
                               ParseRect4(Utf8ToWide(e.attribute("margin").value())), provider, eager);
    }

    static BOOL LoadXml(IResProvider* provider, const std::wstring& name, pugi::xml_document& doc) {
        std::string data;
        if (!ReadResource(provider, name, data)) {
            return FALSE;
        }
        const pugi::xml_parse_result result =
            doc.load_buffer(data.data(), data.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!result) {
            SLog(L"%s: XML error at offset %d", name.c_str(), static_cast<int>(result.offset));
            return FALSE;
        }
        return TRUE;
    }

  private:
    template <class F>
    void LoadTable(IResProvider* provider, const pugi::xml_node& ref, F each) {
        if (!ref) {
            return;
        }
        pugi::xml_document doc;
        pugi::xml_node table = ref;
        const std::wstring src = Utf8ToWide(ref.attribute("src").value());
        if (!src.empty()) {
            if (!LoadXml(provider, src, doc)) {
                SLog(L"table %s not loaded", src.c_str());
                return;
            }
            table = doc.document_element();
        }
        for (const pugi::xml_node& e : table.children()) {
            if (e.type() == pugi::node_element) {
                each(e);
            }
        }
    }

    SNamedString strings_;
    SNamedColor colors_;
    std::map<std::wstring, ISkinObj*> skins_;
    SStringW fontFace_;
    int fontSize_ = 14;
    std::map<std::wstring, SAttrList> classes_;
    std::map<std::wstring, SAttrList> objAttrs_;
};

IUiDefInfo*& CurrentDef() {
    static IUiDefInfo* def = nullptr;
    return def;
}

}  // namespace

SUiDef& SUiDef::getSingleton() {
    static SUiDef instance;
    return instance;
}

IUiDefInfo* SUiDef::GetUiDef() {
    return CurrentDef();
}

void SUiDef::SetUiDef(IUiDefInfo* def) {
    if (def) {
        def->AddRef();
    }
    if (CurrentDef()) {
        CurrentDef()->Release();
    }
    CurrentDef() = def;
    ClearFontCache();
}

IUiDefInfo* SUiDef::CreateUiDefInfo(IResProvider* provider, LPCWSTR uidefName) {
    if (!provider || !uidefName) {
        return nullptr;
    }
    auto* def = new UiDefInfo;
    if (!def->Load(provider, uidefName)) {
        def->Release();
        return nullptr;
    }
    return def;
}

// The system skin table of the system resource module ("VALUES:SKIN" there), decoded at once.
UINT LoadSystemSkins(IResProvider* provider) {
    pugi::xml_document doc;
    if (!UiDefInfo::LoadXml(provider, L"VALUES:SKIN", doc)) {
        return 0;
    }
    UINT count = 0;
    for (const pugi::xml_node& e : doc.document_element().children()) {
        if (e.type() != pugi::node_element || !e.attribute("name")) {
            continue;
        }
        ISkinObj* skin = UiDefInfo::MakeSkin(e, provider, TRUE);
        AddSystemSkin(skin);
        skin->Release();
        ++count;
    }
    return count;
}

}  // namespace SOUI
