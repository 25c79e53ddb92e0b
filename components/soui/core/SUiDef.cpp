// The UI definition: default font, value tables, style classes, per-kind default attributes.
#include <pugixml.hpp>
#include <soui/SApplication.h>
#include <soui/SUiDef.h>

#include "AttrParse.h"
#include "Internal.h"
#include "Refusals.h"

namespace SOUI {

SStringW SNamedString::Get(const SStringW& nameOrText) const {
    static const wchar_t kPrefix[] = L"@string/";
    const int prefixLength = static_cast<int>(wcslen(kPrefix));
    if (nameOrText.Left(prefixLength) != kPrefix) {
        return nameOrText;
    }
    SStringW value;
    if (!Lookup(nameOrText.Mid(prefixLength).c_str(), value)) {
        Refuse(L"named string \"" + std::wstring(nameOrText.c_str()) + L"\"", L"the string table has no such string");
    }
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
    COLORREF color = CR_INVALID;
    if (nameOrColor.Left(prefixLength) == kPrefix) {
        if (!Lookup(nameOrColor.Mid(prefixLength).c_str(), color)) {
            Refuse(L"named colour \"" + std::wstring(nameOrColor.c_str()) + L"\"",
                   L"the colour table has no such colour");
        }
        return color;
    }
    if (!ReadColorLiteral(nameOrColor.c_str(), color)) {
        Refuse(L"colour \"" + std::wstring(nameOrColor.c_str()) + L"\"", L"no colour");
    }
    return color;
}

BOOL SNamedColor::Lookup(LPCWSTR key, COLORREF& color) const {
    auto it = table_.find(key ? key : L"");
    if (it == table_.end()) {
        return FALSE;
    }
    color = it->second;
    return TRUE;
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
        const std::wstring where = L" of " + uidefName;
        for (const pugi::xml_node& part : root.children()) {
            if (part.type() == pugi::node_element &&
                KeywordIndex(Utf8ToWide(part.name()), {L"font", L"string", L"color", L"skin", L"style", L"objattr"}) <
                    0) {
                Refuse(L"<" + Utf8ToWide(part.name()) + L">" + where, L"no part of a UI definition");
            }
        }
        if (pugi::xml_node font = root.child("font")) {
            for (const pugi::xml_attribute& a : font.attributes()) {
                const std::wstring n = Utf8ToWide(a.name());
                const std::wstring v = Utf8ToWide(a.value());
                int size = 0;
                if (SameNoCase(n, L"face")) {
                    fontFace_ = v.c_str();
                } else if (SameNoCase(n, L"size") && ReadInt(v, size) && size > 0) {
                    fontSize_ = size;
                } else {
                    Refuse(L"attribute " + QuoteAttribute(n, v) + L" of <font>" + where,
                           SameNoCase(n, L"size") ? L"no pixel height" : L"the default font takes face and size");
                }
            }
        }
        if (fontFace_.IsEmpty()) {
            fontFace_ = L"微软雅黑";
        }
        LoadTable(provider, root.child("string"), [this](const pugi::xml_node& e) {
            strings_.Set(Utf8ToWide(e.name()).c_str(), Utf8ToWide(e.attribute("value").value()).c_str());
        });
        LoadTable(provider, root.child("color"), [this](const pugi::xml_node& e) {
            const std::wstring value = Utf8ToWide(e.attribute("value").value());
            COLORREF c = CR_INVALID;
            if (ReadColorLiteral(value, c)) {
                colors_.Set(Utf8ToWide(e.name()).c_str(), c);
            } else {
                Refuse(L"colour " + QuoteAttribute(Utf8ToWide(e.name()), value) + L" of the colour table",
                       L"no colour");
            }
        });
        LoadTable(provider, root.child("skin"), [this, provider](const pugi::xml_node& e) { AddSkin(e, provider); });
        for (const pugi::xml_node& c : root.child("style").children()) {
            if (strcmp(c.name(), "class") != 0 || !c.attribute("name")) {
                Refuse(L"<" + Utf8ToWide(c.name()) + L"> of the style" + where,
                       L"a style holds named <class> elements");
                continue;
            }
            // The class's own name is no attribute it gives its elements; the others are checked
            // where an element takes them.
            SAttrList attrs = Attributes(c);
            std::erase_if(attrs, [](const auto& a) { return a.first == L"name"; });
            classes_[Utf8ToWide(c.attribute("name").value())] = std::move(attrs);
        }
        SApplication* app = SApplication::getSingletonPtr();
        for (const pugi::xml_node& k : root.child("objattr").children()) {
            const std::wstring kind = Utf8ToWide(k.name());
            if (app && !app->HasFactory(kind.c_str())) {
                Refuse(L"<" + kind + L"> of the default attributes" + where, L"no such element kind");
                continue;
            }
            objAttrs_[kind] = Attributes(k);
        }
        return TRUE;
    }

    void AddSkin(const pugi::xml_node& e, IResProvider* provider) {
        const std::wstring name = Utf8ToWide(e.attribute("name").value());
        ISkinObj* skin = MakeSkin(e, provider, FALSE);
        if (!skin) {
            return;
        }
        auto it = skins_.find(name);
        if (it != skins_.end()) {
            it->second->Release();
            skins_.erase(it);
        }
        skins_.emplace(name, skin);
    }

    // A skin of a skin table (the application's or the system's); null, and refused, when its
    // entry is not in the form of LAYOUTS.md or its image is not there.
    static ISkinObj* MakeSkin(const pugi::xml_node& e, IResProvider* provider, BOOL eager) {
        const std::wstring kind = Utf8ToWide(e.name());
        const std::wstring name = Utf8ToWide(e.attribute("name").value());
        const std::wstring what = L"skin \"" + name + L"\"";
        if (KeywordIndex(kind, {L"imgframe", L"imglist"}) < 0 || name.empty()) {
            Refuse(what, name.empty() ? L"a skin without a name" : L"no skin kind <" + kind + L">");
            return nullptr;
        }
        std::wstring src;
        int states = 1;
        BOOL vertical = FALSE;
        RECT margin = {0, 0, 0, 0};
        for (const pugi::xml_attribute& a : e.attributes()) {
            const std::wstring n = Utf8ToWide(a.name());
            const std::wstring v = Utf8ToWide(a.value());
            std::wstring wrong;
            if (SameNoCase(n, L"name")) {
            } else if (SameNoCase(n, L"src")) {
                src = v;
            } else if (SameNoCase(n, L"states")) {
                TakeInt(v, states, 1, kAnyHigh, L"not a number of states", wrong);
            } else if (SameNoCase(n, L"vertical")) {
                TakeFlag(v, vertical, wrong);
            } else if (SameNoCase(n, L"margin")) {
                TakeFour(v, margin, wrong);
            } else {
                wrong = L"no attribute of a skin";
            }
            if (!wrong.empty()) {
                Refuse(L"attribute " + QuoteAttribute(n, v) + L" of " + what, wrong);
                return nullptr;
            }
        }
        if (!ImageIsThere(src, provider)) {
            Refuse(what, L"its image \"" + src + L"\" is not there");
            return nullptr;
        }
        return CreateImageSkin(name, src, states, vertical, margin, provider, eager);
    }

    // As the skin will read it: from its provider, else from the application's providers.
    static BOOL ImageIsThere(const std::wstring& src, IResProvider* provider) {
        std::wstring type, name;
        if (!SplitResName(src, type, name)) {
            return FALSE;
        }
        if (provider && provider->HasResource(type.c_str(), name.c_str())) {
            return TRUE;
        }
        SApplication* app = SApplication::getSingletonPtr();
        return app && app->HasResource(src.c_str());
    }

    // An XML resource of the provider; a missing or broken one is refused.
    static BOOL LoadXml(IResProvider* provider, const std::wstring& name, pugi::xml_document& doc) {
        std::string data;
        if (!ReadResource(provider, name, data)) {
            Refuse(L"resource \"" + name + L"\"", L"the provider has no such resource");
            return FALSE;
        }
        const pugi::xml_parse_result result =
            doc.load_buffer(data.data(), data.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!result) {
            Refuse(L"resource \"" + name + L"\"",
                   L"no valid XML (at offset " + std::to_wstring(static_cast<long long>(result.offset)) + L")");
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
        if (e.type() != pugi::node_element) {
            continue;
        }
        ISkinObj* skin = UiDefInfo::MakeSkin(e, provider, TRUE);
        if (!skin) {
            continue;
        }
        AddSystemSkin(skin);
        skin->Release();
        ++count;
    }
    return count;
}

}  // namespace SOUI
