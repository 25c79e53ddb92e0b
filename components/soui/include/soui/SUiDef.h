#pragma once

#include <windows.h>

#include <soui/IObjRef.h>
#include <soui/IResProvider.h>
#include <soui/ISkinObj.h>
#include <soui/SString.h>
#include <soui/SouiDefs.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace SOUI {

// Attributes as name/value pairs in their written order.
using SAttrList = std::vector<std::pair<std::wstring, std::wstring>>;

// The string table of a UI definition. Keys compare exactly (letter case counts).
class SOUI_EXP SNamedString {
  public:
    // "@string/key" gives the key's text, empty (and refused) when the table has no such key; any
    // other text is returned as it is (so layouts may write plain texts where a string name is
    // allowed). Lookup asks without refusing.
    SStringW Get(const SStringW& nameOrText) const;
    BOOL Lookup(LPCWSTR key, SStringW& value) const;
    void Set(LPCWSTR key, LPCWSTR value);
    int GetCount() const { return static_cast<int>(table_.size()); }

  private:
    std::map<std::wstring, std::wstring> table_;
};

// The colour table of a UI definition.
class SOUI_EXP SNamedColor {
  public:
    // "@color/key" gives the key's colour; any other text is parsed as a colour. CR_INVALID (and
    // refused) when neither works. Lookup asks for a key without refusing.
    COLORREF Get(const SStringW& nameOrColor) const;
    BOOL Lookup(LPCWSTR key, COLORREF& color) const;
    void Set(LPCWSTR key, COLORREF color);

  private:
    std::map<std::wstring, COLORREF> table_;
};

// A loaded UI definition: default font, string, colour and skin tables, style classes and the
// default attributes per element kind.
struct IUiDefInfo : IObjRef {
    virtual SNamedString* GetNamedString() = 0;
    virtual SNamedColor* GetNamedColor() = 0;
    // A skin of the definition's table by name; null when absent. No reference is added.
    virtual ISkinObj* GetSkin(LPCWSTR name) = 0;
    // The default font: face and pixel size.
    virtual const SStringW& GetDefFontFace() const = 0;
    virtual int GetDefFontSize() const = 0;
    // The attributes of a style class, and the default attributes of an element kind, as
    // name/value pairs in their written order; null when absent.
    virtual const SAttrList* GetStyleClass(LPCWSTR name) const = 0;
    virtual const SAttrList* GetObjAttr(LPCWSTR kind) const = 0;
};

// The current UI definition of the process, null until one is loaded.
class SOUI_EXP SUiDef {
  public:
    static SUiDef& getSingleton();
    static SUiDef* getSingletonPtr() { return &getSingleton(); }

    // The current definition (no reference added), null while none is loaded. Static, so both
    // SUiDef::GetUiDef() and SUiDef::getSingleton().GetUiDef() work.
    static IUiDefInfo* GetUiDef();
    // Makes a definition current (adds a reference; null unloads it).
    static void SetUiDef(IUiDefInfo* def);
    // Reads the UI definition "TYPE:NAME" (e.g. "uidef:xml_init") and its tables from a provider;
    // a new object with one reference, or null when it is missing or unreadable.
    static IUiDefInfo* CreateUiDefInfo(IResProvider* provider, LPCWSTR uidefName);

  private:
    SUiDef() = default;
};

}  // namespace SOUI
