// The GDI+ image decoder: PNG and JPEG from memory into premultiplied 32-bit pixels.
#include <windows.h>

#include <gdiplus.h>
#include <shlwapi.h>

#include <objidl.h>
#include <soui/IRender.h>

#include <vector>

namespace SOUI {
namespace {

class ImgX : public TObjRefImpl<IImgX> {
  public:
    ImgX(UINT cx, UINT cy, std::vector<BYTE> pixels) : cx_(cx), cy_(cy), pixels_(std::move(pixels)) {}
    UINT Width() const override { return cx_; }
    UINT Height() const override { return cy_; }
    const BYTE* Pixels() const override { return pixels_.data(); }

  private:
    UINT cx_;
    UINT cy_;
    std::vector<BYTE> pixels_;
};

class GdipDecoderFactory : public TObjRefImpl<IImgDecoderFactory> {
  public:
    GdipDecoderFactory() {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) {
            token_ = 0;
        }
    }
    ~GdipDecoderFactory() override {
        if (token_) {
            Gdiplus::GdiplusShutdown(token_);
        }
    }

    BOOL DecodeImage(const void* data, size_t size, IImgX** image) override {
        if (!token_ || !data || size == 0 || !image) {
            return FALSE;
        }
        IStream* stream = SHCreateMemStream(static_cast<const BYTE*>(data), static_cast<UINT>(size));
        if (!stream) {
            return FALSE;
        }
        BOOL ok = FALSE;
        {
            Gdiplus::Bitmap bitmap(stream);
            if (bitmap.GetLastStatus() == Gdiplus::Ok && bitmap.GetWidth() > 0 && bitmap.GetHeight() > 0) {
                const UINT cx = bitmap.GetWidth();
                const UINT cy = bitmap.GetHeight();
                std::vector<BYTE> pixels(static_cast<size_t>(cx) * cy * 4);
                Gdiplus::BitmapData bd = {};
                bd.Width = cx;
                bd.Height = cy;
                bd.Stride = static_cast<INT>(cx * 4);
                bd.PixelFormat = PixelFormat32bppPARGB;
                bd.Scan0 = pixels.data();
                Gdiplus::Rect rc(0, 0, static_cast<INT>(cx), static_cast<INT>(cy));
                if (bitmap.LockBits(&rc, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                    PixelFormat32bppPARGB, &bd) == Gdiplus::Ok) {
                    bitmap.UnlockBits(&bd);
                    *image = new ImgX(cx, cy, std::move(pixels));
                    ok = TRUE;
                }
            }
        }
        stream->Release();
        return ok;
    }
    LPCWSTR GetDescription() const override { return L"GDI+ decoder: PNG, JPEG, BMP, GIF"; }

  private:
    ULONG_PTR token_ = 0;
};

}  // namespace
}  // namespace SOUI

extern "C" __declspec(dllexport) BOOL SCreateInstance(SOUI::IObjRef** object) {
    if (!object) {
        return FALSE;
    }
    *object = new SOUI::GdipDecoderFactory;
    return TRUE;
}
