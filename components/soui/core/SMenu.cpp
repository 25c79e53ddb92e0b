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
#include "Refusals.h"

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
        Refuse(L"menu \"" + res + L"\"", L"no provider has such a menu");
        return FALSE;
    }
    pugi::xml_document doc;
    if (!doc.load_buffer(data.data(), data.size(), pugi::parse_default, pugi::encoding_utf8)) {
        Refuse(L"menu \"" + res + L"\"", L"no valid XML");
        return FALSE;
    }
    const pugi::xml_node root = doc.document_element();
    MenuStyle& st = impl_->state.style;
    BOOL selectedColourGiven = FALSE;
    for (const pugi::xml_attribute& a : root.attributes()) {
        const std::wstring n = Utf8ToWide(a.name());
        const std::wstring v = Utf8ToWide(a.value());
        std::wstring wrong;
        auto readInt = [&](auto& target, int low) { TakeInt(v, target, low, kAnyHigh, L"not a number", wrong); };
        if (SameNoCase(n, L"itemSkin") || SameNoCase(n, L"iconSkin")) {
            if (!FindSkin(v)) {
                wrong = L"no such skin";
            } else {
                (SameNoCase(n, L"itemSkin") ? st.itemSkin : st.iconSkin) = v;
            }
        } else if (SameNoCase(n, L"colorBkgnd")) {
            ResolveColorValue(v, st.colorBkgnd, wrong);
        } else if (SameNoCase(n, L"colorText")) {
            ResolveColorValue(v, st.colorText, wrong);
        } else if (SameNoCase(n, L"colorTextSel")) {
            ResolveColorValue(v, st.colorTextSel, wrong);
            selectedColourGiven = wrong.empty();
        } else if (SameNoCase(n, L"colorTextDisable")) {
            ResolveColorValue(v, st.colorTextDisable, wrong);
        } else if (SameNoCase(n, L"font")) {
            wrong = FontSpecProblem(v);
            if (wrong.empty()) {
                st.font = v;
            }
        } else if (SameNoCase(n, L"itemHeight")) {
            readInt(st.itemHeight, 1);
        } else if (SameNoCase(n, L"iconMargin")) {
            readInt(st.iconMargin, 0);
        } else if (SameNoCase(n, L"textMargin")) {
            readInt(st.textMargin, 0);
        } else if (SameNoCase(n, L"minWidth")) {
            readInt(st.minWidth, 0);
        } else if (SameNoCase(n, L"maxWidth")) {
            readInt(st.maxWidth, 0);
        } else if (SameNoCase(n, L"contextHelpId")) {
            readInt(st.contextHelpId, 0);
        } else {
            wrong = L"no attribute of a menu";
        }
        if (!wrong.empty()) {
            Refuse(L"attribute " + QuoteAttribute(n, v) + L" of menu \"" + res + L"\"", wrong);
        }
    }
    if (!selectedColourGiven) {
        st.colorTextSel = st.colorText;
    }
    for (const pugi::xml_node& item : root.children()) {
        if (item.type() != pugi::node_element) {
            continue;
        }
        int id = 0;
        int icon = -1;
        const pugi::xml_attribute iconAttr = item.attribute("icon");
        if (strcmp(item.name(), "item") != 0 || !ReadInt(Utf8ToWide(item.attribute("id").value()), id) ||
            (iconAttr && !ReadInt(Utf8ToWide(iconAttr.value()), icon))) {
            Refuse(L"<" + Utf8ToWide(item.name()) + L"> of menu \"" + res + L"\"", L"not <item id=\"n\">text</item>");
            continue;
        }
        AppendMenuW(0, static_cast<UINT_PTR>(id), Utf8ToWide(item.text().get()).c_str(), icon);
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
