#pragma once

#include <windows.h>

#include <soui/IObjRef.h>
#include <soui/SouiDefs.h>

namespace SOUI {

// A decoded image: 32-bit pixels, top row first, BGRA with premultiplied alpha.
struct IImgX : IObjRef {
    virtual UINT Width() const = 0;
    virtual UINT Height() const = 0;
    virtual const BYTE* Pixels() const = 0;
};

// The image decoder (imgdecoder-gdip.dll): PNG and JPEG from memory, alpha kept.
struct IImgDecoderFactory : IObjRef {
    // A new image with one reference for the caller, or FALSE when the data is no image it reads.
    virtual BOOL DecodeImage(const void* data, size_t size, IImgX** image) = 0;
    virtual LPCWSTR GetDescription() const = 0;
};

// A bitmap of the render module, in the same pixel format as IImgX.
struct IBitmap : IObjRef {
    virtual UINT Width() const = 0;
    virtual UINT Height() const = 0;
    virtual const BYTE* Pixels() const = 0;
};

// A font of the render module.
struct IFont : IObjRef {
    virtual const LOGFONTW& LogFont() const = 0;
    virtual HFONT Handle() const = 0;
};

// An off-screen 32-bit surface a host window paints into, in the host window's client coordinates.
// Drawing is clipped to the intersection of the pushed clip rectangles.
struct IRenderTarget : IObjRef {
    virtual BOOL Resize(int cx, int cy) = 0;
    virtual SIZE GetSize() const = 0;
    // Sets every pixel of the whole surface, ignoring the clip.
    virtual void Clear(COLORREF color) = 0;
    virtual void PushClipRect(const RECT& rc) = 0;
    virtual void PopClip() = 0;
    virtual void GetClipBox(LPRECT rc) const = 0;
    // Blends a colour over the rectangle (its alpha byte is its opacity).
    virtual void FillSolidRect(const RECT& rc, COLORREF color) = 0;
    // Draws the source rectangle of a bitmap stretched over the destination, with a constant alpha.
    virtual void DrawBitmap(const RECT& dst, IBitmap* bitmap, const RECT& src, BYTE alpha) = 0;
    // Draws text with Win32 DrawText flags (DT_*), antialiased, alpha kept.
    virtual void DrawText(LPCWSTR text, int length, const RECT& rc, UINT format, IFont* font, COLORREF color) = 0;
    // Extent of a text with the flags; with DT_WORDBREAK the lines wrap at the given width.
    virtual SIZE MeasureText(LPCWSTR text, int length, IFont* font, UINT format, int width) = 0;
    // A GDI memory DC over the surface, clipped to the clip box; give it back with ReleaseDC. Pixels
    // that GDI writes with alpha 0 become opaque when the DC is given back.
    virtual HDC GetDC(UINT flags) = 0;
    virtual void ReleaseDC(HDC dc) = 0;
};

// The render module (render-gdi.dll): makes render targets, bitmaps and fonts.
struct IRenderFactory : IObjRef {
    // Keeps a reference to the decoder used by LoadBitmap.
    virtual void SetImgDecoderFactory(IImgDecoderFactory* decoder) = 0;
    virtual IImgDecoderFactory* GetImgDecoderFactory() const = 0;
    virtual BOOL CreateRenderTarget(IRenderTarget** target, int cx, int cy) = 0;
    // A bitmap from premultiplied BGRA pixels (top row first); null pixels give a transparent one.
    virtual BOOL CreateBitmap(IBitmap** bitmap, UINT cx, UINT cy, const BYTE* pixels) = 0;
    // Decodes an image file (PNG, JPEG) held in memory with the decoder.
    virtual BOOL LoadBitmap(IBitmap** bitmap, const void* data, size_t size) = 0;
    virtual BOOL CreateFont(IFont** font, const LOGFONTW& logFont) = 0;
};

// The export of render-gdi.dll and imgdecoder-gdip.dll: the module's factory with one reference
// for the caller (an IRenderFactory or an IImgDecoderFactory).
typedef BOOL (*FunSCreateInstance)(IObjRef** object);

}  // namespace SOUI
