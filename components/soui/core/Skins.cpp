// Image skins (imgframe, imglist) and the system skin table.
#include <windows.h>

#include <soui/SApplication.h>
#include <soui/SUiDef.h>

#include <map>
#include <string>

#include "Internal.h"

namespace SOUI {
namespace {

class ImageSkin : public TObjRefImpl<ISkinObj> {
  public:
    ImageSkin(std::wstring name,
              std::wstring src,
              int states,
              BOOL vertical,
              const RECT& margin,
              IResProvider* provider)
        : name_(std::move(name)),
          src_(std::move(src)),
          states_(states < 1 ? 1 : states),
          vertical_(vertical),
          margin_(margin),
          provider_(provider) {
        if (provider_) {
            provider_->AddRef();
        }
    }
    ~ImageSkin() override {
        if (bitmap_) {
            bitmap_->Release();
        }
        DropProvider();
    }

    LPCWSTR GetName() const override { return name_.c_str(); }
    int GetStates() const override { return states_; }
    SIZE GetSkinSize() override {
        if (!Load()) {
            return {0, 0};
        }
        const int w = static_cast<int>(bitmap_->Width());
        const int h = static_cast<int>(bitmap_->Height());
        return vertical_ ? SIZE{w, h / states_} : SIZE{w / states_, h};
    }
    void Draw(IRenderTarget* target, const RECT& rc, int state, BYTE alpha) override {
        if (!target || !Load() || IsRectEmpty(&rc)) {
            return;
        }
        if (state < 0 || state >= states_) {
            state = 0;
        }
        const SIZE face = GetSkinSize();
        RECT src = vertical_ ? RECT{0, face.cy * state, face.cx, face.cy * (state + 1)}
                             : RECT{face.cx * state, 0, face.cx * (state + 1), face.cy};
        if (margin_.left == 0 && margin_.top == 0 && margin_.right == 0 && margin_.bottom == 0) {
            target->DrawBitmap(rc, bitmap_, src, alpha);
            return;
        }
        // Nine parts: the borders keep their size, the middle stretches.
        const int sx[4] = {src.left, src.left + margin_.left, src.right - margin_.right, src.right};
        const int sy[4] = {src.top, src.top + margin_.top, src.bottom - margin_.bottom, src.bottom};
        const int dx[4] = {rc.left, rc.left + margin_.left, rc.right - margin_.right, rc.right};
        const int dy[4] = {rc.top, rc.top + margin_.top, rc.bottom - margin_.bottom, rc.bottom};
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                const RECT d = {dx[col], dy[row], dx[col + 1], dy[row + 1]};
                const RECT s = {sx[col], sy[row], sx[col + 1], sy[row + 1]};
                if (d.right > d.left && d.bottom > d.top && s.right > s.left && s.bottom > s.top) {
                    target->DrawBitmap(d, bitmap_, s, alpha);
                }
            }
        }
    }

    BOOL Load() {
        if (bitmap_) {
            return TRUE;
        }
        if (failed_) {
            return FALSE;
        }
        std::string data;
        BOOL found = provider_ ? ReadResource(provider_, src_, data) : FALSE;
        if (!found && SApplication::getSingletonPtr()) {
            found = SApplication::getSingleton().GetRawBuffer(src_.c_str(), data);
        }
        IRenderFactory* factory = GetRenderFactory();
        if (!found || !factory || !factory->LoadBitmap(&bitmap_, data.data(), data.size())) {
            SLog(L"skin %s: image %s not loaded", name_.c_str(), src_.c_str());
            failed_ = TRUE;
            bitmap_ = nullptr;
            return FALSE;
        }
        DropProvider();
        return TRUE;
    }

  private:
    void DropProvider() {
        if (provider_) {
            provider_->Release();
            provider_ = nullptr;
        }
    }

    std::wstring name_;
    std::wstring src_;
    int states_;
    BOOL vertical_;
    RECT margin_;
    IResProvider* provider_;
    IBitmap* bitmap_ = nullptr;
    BOOL failed_ = FALSE;
};

std::map<std::wstring, ISkinObj*>& SystemSkins() {
    static std::map<std::wstring, ISkinObj*> skins;
    return skins;
}

}  // namespace

ISkinObj* CreateImageSkin(const std::wstring& name,
                          const std::wstring& src,
                          int states,
                          BOOL vertical,
                          const RECT& margin,
                          IResProvider* provider,
                          BOOL eager) {
    auto* skin = new ImageSkin(name, src, states, vertical, margin, provider);
    if (eager) {
        skin->Load();
    }
    return skin;
}

void AddSystemSkin(ISkinObj* skin) {
    auto& skins = SystemSkins();
    auto it = skins.find(skin->GetName());
    if (it != skins.end()) {
        it->second->Release();
        skins.erase(it);
    }
    skin->AddRef();
    skins.emplace(skin->GetName(), skin);
}

void ClearSystemSkins() {
    for (auto& [name, skin] : SystemSkins()) {
        skin->Release();
    }
    SystemSkins().clear();
}

ISkinObj* FindSkin(const std::wstring& name) {
    if (name.empty()) {
        return nullptr;
    }
    if (IUiDefInfo* def = SUiDef::GetUiDef()) {
        if (ISkinObj* skin = def->GetSkin(name.c_str())) {
            return skin;
        }
    }
    auto it = SystemSkins().find(name);
    return it == SystemSkins().end() ? nullptr : it->second;
}

}  // namespace SOUI
