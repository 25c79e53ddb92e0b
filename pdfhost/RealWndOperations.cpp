#include "RealWndOperations.h"

#include <cwchar>

#include "HandlerBoundary.h"
#include "PdfControlAccess.h"

namespace PXV {
namespace {

bool isPdfControlElement(const RealWndElement& element) {
    const wchar_t* name = element.className();
    return name && std::wcscmp(name, kPdfControlClass) == 0;
}

}  // namespace

// The UI library calls these two through the real-window handler: nothing raised below may go back
// into it. An error of the control's calls ends the operation here and the program goes on.
HWND createPdfControlWindow(RealWndElement& element) noexcept {
    HWND created = nullptr;
    runAtBoundary(L"creating the PDF control's window", [&] {
        if (!isPdfControlElement(element)) {
            return;
        }
        PdfEditControl* control = getPdfControl();
        if (!control) {
            return;
        }
        RECT empty = {0, 0, 0, 0};
        control->CreateControl(PdfEditControl::getClsid(), element.windowName(), WS_CHILD, empty,
                               CWnd::FromHandle(element.containerWindow()), element.id(), nullptr, FALSE, nullptr);
        element.setRealWindow(control->m_hWnd);
        control->SetFocus();
        created = control->m_hWnd;
    });
    return created;
}

void destroyPdfControlWindow(RealWndElement& element) noexcept {
    // Stopped, the engine was not shut down; the window goes with its parent.
    runAtBoundary(L"destroying the PDF control's window", [&] {
        if (!isPdfControlElement(element) || !element.realWindow()) {
            return;
        }
        PdfEditControl* control = getPdfControl();
        if (control) {
            control->shutdownEngine();
        }
        ::DestroyWindow(element.realWindow());
    });
}

}  // namespace PXV
