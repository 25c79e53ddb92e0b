// The GDI render module: 32-bit DIB surfaces drawn with GDI, text antialiased through a coverage
// mask so that the alpha channel of translucent windows stays right.
#include <windows.h>

#include <soui/IRender.h>

#include <algorithm>
#include <vector>

namespace SOUI {
namespace {

// A top-down 32-bit DIB section selected into its own memory DC.
class Dib {
  public:
    Dib() = default;
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;
    ~Dib() { Reset(); }

    BOOL Create(int cx, int cy) {
        Reset();
        cx = std::max(cx, 1);
        cy = std::max(cy, 1);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = -cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        if (!dc_ || !bmp_) {
            Reset();
            return FALSE;
        }
        old_ = SelectObject(dc_, bmp_);
        cx_ = cx;
        cy_ = cy;
        return TRUE;
    }
    void Reset() {
        if (dc_ && old_) {
            SelectObject(dc_, old_);
        }
        if (bmp_) {
            DeleteObject(bmp_);
        }
        if (dc_) {
            DeleteDC(dc_);
        }
        dc_ = nullptr;
        bmp_ = nullptr;
        old_ = nullptr;
        bits_ = nullptr;
        cx_ = cy_ = 0;
    }
    HDC dc() const { return dc_; }
    DWORD* bits() const { return bits_; }
    int cx() const { return cx_; }
    int cy() const { return cy_; }

  private:
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
    int cx_ = 0;
    int cy_ = 0;
};

class GdiBitmap : public TObjRefImpl<IBitmap> {
  public:
    BOOL Init(UINT cx, UINT cy, const BYTE* pixels) {
        if (!dib_.Create(static_cast<int>(cx), static_cast<int>(cy))) {
            return FALSE;
        }
        const size_t bytes = static_cast<size_t>(dib_.cx()) * dib_.cy() * 4;
        if (pixels) {
            memcpy(dib_.bits(), pixels, bytes);
        } else {
            memset(dib_.bits(), 0, bytes);
        }
        GdiFlush();
        return TRUE;
    }
    UINT Width() const override { return static_cast<UINT>(dib_.cx()); }
    UINT Height() const override { return static_cast<UINT>(dib_.cy()); }
    const BYTE* Pixels() const override { return reinterpret_cast<const BYTE*>(dib_.bits()); }
    HDC dc() const { return dib_.dc(); }

  private:
    Dib dib_;
};

class GdiFont : public TObjRefImpl<IFont> {
  public:
    explicit GdiFont(const LOGFONTW& lf) : lf_(lf), font_(CreateFontIndirectW(&lf)) {}
    ~GdiFont() override {
        if (font_) {
            DeleteObject(font_);
        }
    }
    const LOGFONTW& LogFont() const override { return lf_; }
    HFONT Handle() const override { return font_; }

  private:
    LOGFONTW lf_;
    HFONT font_;
};

BOOL IntersectOrEmpty(RECT& out, const RECT& a, const RECT& b) {
    if (!IntersectRect(&out, &a, &b)) {
        SetRectEmpty(&out);
        return FALSE;
    }
    return TRUE;
}

class GdiRenderTarget : public TObjRefImpl<IRenderTarget> {
  public:
    BOOL Resize(int cx, int cy) override {
        if (!dib_.Create(cx, cy)) {
            return FALSE;
        }
        clips_.clear();
        return TRUE;
    }
    SIZE GetSize() const override { return {dib_.cx(), dib_.cy()}; }

    void Clear(COLORREF color) override {
        GdiFlush();
        const DWORD px = Premultiply(color);
        std::fill(dib_.bits(), dib_.bits() + static_cast<size_t>(dib_.cx()) * dib_.cy(), px);
    }
    void PushClipRect(const RECT& rc) override {
        RECT box;
        GetClipBox(&box);
        RECT next;
        IntersectOrEmpty(next, box, rc);
        clips_.push_back(next);
    }
    void PopClip() override {
        if (!clips_.empty()) {
            clips_.pop_back();
        }
    }
    void GetClipBox(LPRECT rc) const override {
        if (clips_.empty()) {
            SetRect(rc, 0, 0, dib_.cx(), dib_.cy());
        } else {
            *rc = clips_.back();
        }
    }

    void FillSolidRect(const RECT& rc, COLORREF color) override {
        const BYTE a = GetAValue(color);
        if (a == 0) {
            return;
        }
        RECT box;
        GetClipBox(&box);
        RECT area;
        if (!IntersectOrEmpty(area, box, rc)) {
            return;
        }
        GdiFlush();
        const DWORD src = Premultiply(color);
        for (int y = area.top; y < area.bottom; ++y) {
            DWORD* row = dib_.bits() + static_cast<size_t>(y) * dib_.cx();
            for (int x = area.left; x < area.right; ++x) {
                row[x] = a == 255 ? src : Over(src, row[x]);
            }
        }
    }

    void DrawBitmap(const RECT& dst, IBitmap* bitmap, const RECT& src, BYTE alpha) override {
        auto* bmp = static_cast<GdiBitmap*>(bitmap);
        if (!bmp || alpha == 0 || IsRectEmpty(&dst) || IsRectEmpty(&src)) {
            return;
        }
        HDC dc = GetDC(0);
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
        AlphaBlend(dc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, bmp->dc(), src.left, src.top,
                   src.right - src.left, src.bottom - src.top, bf);
        ReleaseDcNoFix(dc);
    }

    void DrawText(LPCWSTR text, int length, const RECT& rc, UINT format, IFont* font, COLORREF color) override {
        if (!text || length == 0 || GetAValue(color) == 0) {
            return;
        }
        RECT box;
        GetClipBox(&box);
        RECT area;
        if (!IntersectOrEmpty(area, box, rc)) {
            return;
        }
        // Draw white on black into a mask the size of the text rectangle; its grey level is the
        // coverage of each pixel.
        const int w = rc.right - rc.left;
        const int h = rc.bottom - rc.top;
        if (!mask_.dc() || mask_.cx() < w || mask_.cy() < h) {
            if (!mask_.Create(std::max(w, mask_.cx()), std::max(h, mask_.cy()))) {
                return;
            }
        }
        HDC mdc = mask_.dc();
        RECT all = {0, 0, mask_.cx(), mask_.cy()};
        FillRect(mdc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        HGDIOBJ oldFont = SelectObject(mdc, font ? font->Handle() : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(mdc, TRANSPARENT);
        SetTextColor(mdc, RGB(255, 255, 255));
        RECT local = {0, 0, w, h};
        ::DrawTextW(mdc, text, length, &local, format | DT_NOPREFIX);
        SelectObject(mdc, oldFont);
        GdiFlush();
        const DWORD a = GetAValue(color);
        const DWORD r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
        for (int y = area.top; y < area.bottom; ++y) {
            const DWORD* mrow = mask_.bits() + static_cast<size_t>(y - rc.top) * mask_.cx();
            DWORD* row = dib_.bits() + static_cast<size_t>(y) * dib_.cx();
            for (int x = area.left; x < area.right; ++x) {
                const DWORD m = mrow[x - rc.left];
                DWORD cover = std::max({m & 0xFF, (m >> 8) & 0xFF, (m >> 16) & 0xFF});
                if (cover == 0) {
                    continue;
                }
                cover = cover * a / 255;
                const DWORD src =
                    (cover << 24) | ((r * cover / 255) << 16) | ((g * cover / 255) << 8) | (b * cover / 255);
                row[x] = Over(src, row[x]);
            }
        }
    }

    // How far the ink of an italic face leans past the advance of its characters: the largest
    // reach of a glyph's black box beyond its advance (a line may end with any of them). The C
    // width does not do: it leaves out the pixels the smoothing adds. 0 for upright faces.
    static int ItalicOverhang(HDC dc, LPCWSTR text, int length) {
        TEXTMETRICW tm = {};
        if (!GetTextMetricsW(dc, &tm) || !tm.tmItalic) {
            return 0;
        }
        const int count = length < 0 ? static_cast<int>(wcslen(text)) : length;
        const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        int overhang = 0;
        for (int i = 0; i < count; ++i) {
            GLYPHMETRICS gm = {};
            if (GetGlyphOutlineW(dc, text[i], GGO_METRICS, &gm, 0, nullptr, &identity) != GDI_ERROR) {
                overhang =
                    std::max<int>(overhang, gm.gmptGlyphOrigin.x + static_cast<int>(gm.gmBlackBoxX) - gm.gmCellIncX);
            }
        }
        return overhang;
    }

    SIZE MeasureText(LPCWSTR text, int length, IFont* font, UINT format, int width) override {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font ? font->Handle() : GetStockObject(DEFAULT_GUI_FONT));
        RECT rc = {0, 0, width > 0 ? width : 0x7FFF, 0};
        if (!text || length == 0) {
            TEXTMETRICW tm = {};
            GetTextMetricsW(dc, &tm);
            SetRect(&rc, 0, 0, 0, tm.tmHeight);
        } else {
            ::DrawTextW(dc, text, length, &rc,
                        (format & ~(DT_END_ELLIPSIS | DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT | DT_NOPREFIX);
            rc.right += ItalicOverhang(dc, text, length);
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        return {rc.right - rc.left, rc.bottom - rc.top};
    }

    HDC GetDC(UINT /*flags*/) override {
        HDC dc = dib_.dc();
        RECT box;
        GetClipBox(&box);
        HRGN rgn = CreateRectRgnIndirect(&box);
        SelectClipRgn(dc, rgn);
        DeleteObject(rgn);
        dcClip_ = box;
        return dc;
    }
    void ReleaseDC(HDC dc) override {
        // GDI writes colour with alpha 0; such pixels are no valid premultiplied colour, so they
        // were drawn and become opaque.
        GdiFlush();
        for (int y = dcClip_.top; y < dcClip_.bottom; ++y) {
            DWORD* row = dib_.bits() + static_cast<size_t>(y) * dib_.cx();
            for (int x = dcClip_.left; x < dcClip_.right; ++x) {
                if ((row[x] & 0xFF000000) == 0 && (row[x] & 0x00FFFFFF) != 0) {
                    row[x] |= 0xFF000000;
                }
            }
        }
        ReleaseDcNoFix(dc);
    }

  private:
    void ReleaseDcNoFix(HDC dc) {
        SelectClipRgn(dc, nullptr);
        SetRectEmpty(&dcClip_);
        GdiFlush();
    }
    static DWORD Premultiply(COLORREF c) {
        const DWORD a = GetAValue(c);
        return (a << 24) | ((GetRValue(c) * a / 255) << 16) | ((GetGValue(c) * a / 255) << 8) |
               (GetBValue(c) * a / 255);
    }
    // src over dst, both premultiplied BGRA.
    static DWORD Over(DWORD src, DWORD dst) {
        const DWORD inv = 255 - (src >> 24);
        DWORD out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const DWORD s = (src >> shift) & 0xFF;
            const DWORD d = (dst >> shift) & 0xFF;
            out |= std::min<DWORD>(255, s + d * inv / 255) << shift;
        }
        return out;
    }

    Dib dib_;
    Dib mask_;
    std::vector<RECT> clips_;
    RECT dcClip_ = {0, 0, 0, 0};
};

class GdiRenderFactory : public TObjRefImpl<IRenderFactory> {
  public:
    ~GdiRenderFactory() override { SetImgDecoderFactory(nullptr); }
    void SetImgDecoderFactory(IImgDecoderFactory* decoder) override {
        if (decoder) {
            decoder->AddRef();
        }
        if (decoder_) {
            decoder_->Release();
        }
        decoder_ = decoder;
    }
    IImgDecoderFactory* GetImgDecoderFactory() const override { return decoder_; }
    BOOL CreateRenderTarget(IRenderTarget** target, int cx, int cy) override {
        auto* t = new GdiRenderTarget;
        if (!t->Resize(cx, cy)) {
            t->Release();
            return FALSE;
        }
        *target = t;
        return TRUE;
    }
    BOOL CreateBitmap(IBitmap** bitmap, UINT cx, UINT cy, const BYTE* pixels) override {
        auto* b = new GdiBitmap;
        if (!b->Init(cx, cy, pixels)) {
            b->Release();
            return FALSE;
        }
        *bitmap = b;
        return TRUE;
    }
    BOOL LoadBitmap(IBitmap** bitmap, const void* data, size_t size) override {
        IImgX* image = nullptr;
        if (!decoder_ || !decoder_->DecodeImage(data, size, &image)) {
            return FALSE;
        }
        const BOOL ok = CreateBitmap(bitmap, image->Width(), image->Height(), image->Pixels());
        image->Release();
        return ok;
    }
    BOOL CreateFont(IFont** font, const LOGFONTW& logFont) override {
        auto* f = new GdiFont(logFont);
        if (!f->Handle()) {
            f->Release();
            return FALSE;
        }
        *font = f;
        return TRUE;
    }

  private:
    IImgDecoderFactory* decoder_ = nullptr;
};

}  // namespace
}  // namespace SOUI

extern "C" __declspec(dllexport) BOOL SCreateInstance(SOUI::IObjRef** object) {
    if (!object) {
        return FALSE;
    }
    *object = new SOUI::GdiRenderFactory;
    return TRUE;
}
