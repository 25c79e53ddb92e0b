#include "PdfEventNames.h"

#include "pdfcontrol/PdfControlInterfaces.h"

namespace PXV {

const wchar_t* const PdfEventNames[15] = {
    pdfc::kEventDocumentViewBeforeClose,  // 0
    pdfc::kEventDocumentAskForSaveDest,   // 1
    pdfc::kEventDocumentViewClosed,       // 2
    pdfc::kEventMainViewClosed,           // 3
    pdfc::kEventMainFrameClosed,          // 4
    pdfc::kEventDocumentAfterSave,        // 5
    pdfc::kEventDocumentPerformSave,      // 6
    pdfc::kEventDocumentViewActivated,    // 7
    pdfc::kEventDocumentClosed,           // 8
    pdfc::kEventOperExecuted,             // 9
    pdfc::kEventDocumentBeforeClose,      // 10
    pdfc::kEventDocumentToolActivated,    // 11
    pdfc::kEventTextEditorStarted,        // 12
    pdfc::kEventTextEditorSelChanged,     // 13
    pdfc::kEventDocumentSourceChanged,    // 14
};

}  // namespace PXV
