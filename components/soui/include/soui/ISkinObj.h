#pragma once

#include <windows.h>

#include <soui/IObjRef.h>
#include <soui/IRender.h>

namespace SOUI {

// A named skin of the skin table: an image divided into state faces.
struct ISkinObj : IObjRef {
    virtual LPCWSTR GetName() const = 0;
    virtual int GetStates() const = 0;
    // The size of one face (0 × 0 when its image cannot be loaded).
    virtual SIZE GetSkinSize() = 0;
    // Draws face `state` (face 0 when the image has no such face) over the rectangle.
    virtual void Draw(IRenderTarget* target, const RECT& rc, int state, BYTE alpha) = 0;
};

}  // namespace SOUI
