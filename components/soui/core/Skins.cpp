// Image skins (imgframe, imglist) and the system skin table.
#include <windows.h>

#include <soui/SApplication.h>
#include <soui/SUiDef.h>

#include <cstdint>
#include <map>
#include <string>

#include "Internal.h"
#include "Refusals.h"

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
    // A layout asks every skin for its size, a paint only the shown ones for their pixels: the
    // size comes from a PNG's header until the image is decoded for its first paint.
    SIZE GetSkinSize() override {
        SIZE image = {0, 0};
        if (!ImageSize(image)) {
            return {0, 0};
        }
        return vertical_ ? SIZE{image.cx, image.cy / states_} : SIZE{image.cx / states_, image.cy};
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
        const BOOL found = ReadImage(data);
        IRenderFactory* factory = GetRenderFactory();
        if (!found || !factory || !factory->LoadBitmap(&bitmap_, data.data(), data.size())) {
            Refuse(L"skin \"" + name_ + L"\"",
                   L"its image \"" + src_ + (found ? L"\" does not decode" : L"\" is not there"));
            failed_ = TRUE;
            bitmap_ = nullptr;
            return FALSE;
        }
        DropProvider();
        encoded_.clear();
        encoded_.shrink_to_fit();
        return TRUE;
    }

    // For a skin whose providers go away (the system resources' module is unloaded once they are
    // loaded): the encoded image is copied now and decoded when first drawn or measured, so a
    // process that never shows it never decodes it.
    void KeepEncoded() {
        if (!bitmap_ && !failed_ && encoded_.empty()) {
            std::string data;
            if (ReadImage(data) && !data.empty()) {
                encoded_ = std::move(data);
                DropProvider();
            } else {
                Load();  // reports the missing image now, while its name still means something
            }
        }
    }

  private:
    // The encoded image: kept, else from the skin's provider, else from the application's providers.
    BOOL ReadImage(std::string& data) {
        if (!encoded_.empty()) {
            data = encoded_;
            return TRUE;
        }
        BOOL found = provider_ ? ReadResource(provider_, src_, data) : FALSE;
        if (!found && SApplication::getSingletonPtr()) {
            found = SApplication::getSingleton().GetRawBuffer(src_.c_str(), data);
        }
        return found;
    }

    // The decoded image's size; before the decoding the size its PNG header states, read once;
    // an image of another kind is decoded to learn it.
    BOOL ImageSize(SIZE& size) {
        if (failed_) {
            return FALSE;
        }
        if (!bitmap_) {
            if (!headerRead_) {
                headerRead_ = TRUE;
                headerSize_ = PngHeaderSize();
            }
            if (headerSize_.cx > 0) {
                size = headerSize_;
                return TRUE;
            }
        }
        if (!Load()) {
            return FALSE;
        }
        size = {static_cast<LONG>(bitmap_->Width()), static_cast<LONG>(bitmap_->Height())};
        return TRUE;
    }

    // Width and height from the PNG signature and the IHDR chunk that must follow it; {0, 0} for
    // anything else.
    SIZE PngHeaderSize() {
        static const unsigned char kHead[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                              0,    0,   0,   13,  'I',  'H',  'D',  'R'};
        std::string data;
        if (!ReadImage(data) || data.size() < 24 ||
            data.compare(0, 16, reinterpret_cast<const char*>(kHead), 16) != 0) {
            return {0, 0};
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
        const auto word = [bytes](size_t at) {
            return (static_cast<uint32_t>(bytes[at]) << 24) | (static_cast<uint32_t>(bytes[at + 1]) << 16) |
                   (static_cast<uint32_t>(bytes[at + 2]) << 8) | bytes[at + 3];
        };
        const uint32_t width = word(16);
        const uint32_t height = word(20);
        if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
            return {0, 0};
        }
        return {static_cast<LONG>(width), static_cast<LONG>(height)};
    }

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
    std::string encoded_;
    BOOL failed_ = FALSE;
    SIZE headerSize_ = {0, 0};
    BOOL headerRead_ = FALSE;
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
        skin->KeepEncoded();
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
