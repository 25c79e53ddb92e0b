#include "PdfEventNames.h"

namespace PXV {

const wchar_t* const PdfEventNames[15] = {
    L"e.documentView.beforeClose",
    L"e.document.askForSaveDest",
    L"e.documentView.closed",
    L"e.mainView.closed",
    L"e.mainFrame.closed",
    L"e.document.afterSave",
    L"e.document.performSave",
    L"e.documentView.activated",
    L"e.document.closed",
    L"e.operExecuted",
    L"e.document.beforeClose",
    L"e.document.toolActivated",
    L"e.document.textEditor.started",
    L"e.document.textEditor.selChanged",
    L"e.document.sourceChanged",
};

}  // namespace PXV
