#pragma once

#include "PdfControlPtrs.h"
#include "StandardComPtrs.h"

namespace PXV {

// The four references the program holds while it closes the active document. Each is null until
// acquired; whatever is still held goes when the record goes (also while a COM error travels up).
class PdfControlRefs {
  public:
    // Takes all four: the instance object (a failed query other than E_NOINTERFACE raises), its
    // "PXC" extension (may stay null), the auxiliary object and its item.
    static PdfControlRefs acquire();
    // Closes the active document; the control then fires "e.document.closed". Returns 0.
    int closeActiveDocument();
    // Releases the item, the auxiliary object, the extension and the instance, in this order.
    void release();
    // acquire, closeActiveDocument and release, with the count of open documents before and
    // after: false when it did not drop, i.e. the user kept the document open (the control asked
    // about unsaved changes and the user cancelled).
    static bool closeActiveDocumentCounted();

    // Not called by the program.
    void refreshAuxiliary();
    static LONG readItemValue(IPdfAuxiliary* held);
    static LONG readChildValue(IPdfAuxiliary* held);
    int passZeroToAuxiliary();
    HRESULT applyDefaultsToAuxiliary();
    // Apply of the auxiliary object with the eight values read from `source`, or with the defaults
    // when there is no source; its result code.
    HRESULT applyToAuxiliary(IPdfAuxiliary* source);

    IPdfInstancePtr instance;
    IPdfCoreExtensionPtr pxcExtension;
    IPdfAuxiliaryPtr auxiliary;
    IPdfAuxiliaryPtr auxiliaryItem;
};

}  // namespace PXV
