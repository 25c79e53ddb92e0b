#include "RealWndOperations.h"

#include <cwchar>

#include "PdfControlAccess.h"

namespace PXV {
namespace {

bool isPdfControlElement(const RealWndElement& element) {
    const wchar_t* name = element.className();
    return name && std::wcscmp(name, kPdfControlClass) == 0;
}

}  // namespace

// The UI library calls these two through the real-window handler: nothing raised below may go back
// into it. A COM error of the control's calls ends the operation here and the program goes on.
HWND createPdfControlWindow(RealWndElement& element) noexcept try {
    if (!isPdfControlElement(element)) {
        return nullptr;
    }
    PdfEditControl* control = getPdfControl();
    if (!control) {
        return nullptr;
    }
    RECT empty = {0, 0, 0, 0};
    control->CreateControl(PdfEditControl::getClsid(), element.windowName(), WS_CHILD, empty,
                           CWnd::FromHandle(element.containerWindow()), element.id(), nullptr, FALSE, nullptr);
    element.setRealWindow(control->m_hWnd);
    control->SetFocus();
    return control->m_hWnd;
} catch (...) {
    return nullptr;
}

void destroyPdfControlWindow(RealWndElement& element) noexcept try {
    if (!isPdfControlElement(element) || !element.realWindow()) {
        return;
    }
    PdfEditControl* control = getPdfControl();
    if (control) {
        control->shutdownEngine();
    }
    ::DestroyWindow(element.realWindow());
} catch (...) {
    // The engine was not shut down; the window goes with its parent.
}

}  // namespace PXV
