#include <windows.h>

// Popup menus: a window of the library drawn with the menu style, tracked in a loop of its own.
#include <pugixml.hpp>
#include <soui/SApplication.h>
#include <soui/SMenu.h>
#include <soui/SUiDef.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "AttrParse.h"
#include "Internal.h"
#include "MenuTracking.h"

namespace SOUI {

struct SMenu::Impl {
    MenuState state;
};

SMenu::SMenu() : impl_(new Impl) {}

SMenu::~SMenu() {
    delete impl_;
}

BOOL SMenu::LoadMenuW(LPCWSTR resName, LPCWSTR resType) {
    SApplication* app = SApplication::getSingletonPtr();
    std::string data;
    const std::wstring res = std::wstring(resType ? resType : L"SMENU") + L":" + (resName ? resName : L"");
    if (!app || !app->GetRawBuffer(res.c_str(), data)) {
        SLog(L"menu %s not found", res.c_str());
        return FALSE;
    }
    pugi::xml_document doc;
    if (!doc.load_buffer(data.data(), data.size(), pugi::parse_default, pugi::encoding_utf8)) {
        return FALSE;
    }
    const pugi::xml_node root = doc.document_element();
    MenuStyle& st = impl_->state.style;
    IUiDefInfo* def = SUiDef::GetUiDef();
    auto color = [def](const pugi::xml_attribute& a, COLORREF fallback) {
        if (!a) {
            return fallback;
        }
        const COLORREF c =
            def ? def->GetNamedColor()->Get(Utf8ToWide(a.value()).c_str()) : ParseColor(Utf8ToWide(a.value()));
        return c == CR_INVALID ? fallback : c;
    };
    st.itemSkin = Utf8ToWide(root.attribute("itemSkin").value());
    st.iconSkin = Utf8ToWide(root.attribute("iconSkin").value());
    st.colorBkgnd = color(root.attribute("colorBkgnd"), st.colorBkgnd);
    st.colorText = color(root.attribute("colorText"), st.colorText);
    st.colorTextSel = color(root.attribute("colorTextSel"), st.colorText);
    st.colorTextDisable = color(root.attribute("colorTextDisable"), st.colorTextDisable);
    st.font = Utf8ToWide(root.attribute("font").value());
    st.itemHeight = ParseInt(Utf8ToWide(root.attribute("itemHeight").value()), st.itemHeight);
    st.iconMargin = ParseInt(Utf8ToWide(root.attribute("iconMargin").value()), st.iconMargin);
    st.textMargin = ParseInt(Utf8ToWide(root.attribute("textMargin").value()), st.textMargin);
    st.minWidth = ParseInt(Utf8ToWide(root.attribute("minWidth").value()), st.minWidth);
    st.maxWidth = ParseInt(Utf8ToWide(root.attribute("maxWidth").value()), st.maxWidth);
    st.contextHelpId = static_cast<DWORD>(ParseInt(Utf8ToWide(root.attribute("contextHelpId").value()), 0));
    for (const pugi::xml_node& item : root.children("item")) {
        AppendMenuW(0, static_cast<UINT_PTR>(ParseInt(Utf8ToWide(item.attribute("id").value()))),
                    Utf8ToWide(item.text().get()).c_str(), ParseInt(Utf8ToWide(item.attribute("icon").value()), -1));
    }
    return TRUE;
}

BOOL SMenu::AppendMenuW(UINT flags, UINT_PTR id, LPCWSTR text, int icon) {
    MenuItem item;
    item.id = static_cast<UINT>(id);
    item.text = (flags & MF_SEPARATOR) ? L"" : (text ? text : L"");
    item.separator = (flags & MF_SEPARATOR) != 0;
    item.disabled = (flags & (MF_GRAYED | MF_DISABLED)) != 0;
    item.icon = icon;
    impl_->state.items.push_back(item);
    return TRUE;
}

int SMenu::GetItemCount() const {
    return static_cast<int>(impl_->state.items.size());
}

UINT SMenu::TrackPopupMenu(UINT flags, int x, int y, HWND owner, LPCRECT /*exclude*/) {
    const UINT chosen = RunMenu(impl_->state, x, y, owner);
    if (chosen && !(flags & TPM_RETURNCMD) && owner && ::IsWindow(owner)) {
        ::PostMessageW(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    }
    return chosen;
}

}  // namespace SOUI
