// Opening documents in the PDF control: the command line, the hand-off of a second instance and
// WM_COPYDATA.
#include <shlwapi.h>

#include <string>

#include "CommandLineCutter.h"
#include "CopyDataPath.h"
#include "MainDlg.h"
#include "PdfEditControl.h"
#include "ShellDialogs.h"
#include "SingleInstance.h"
#include "foundation/Utf16Units.h"

namespace {

// Hands each path to the control.
class ControlSink final : public PathSink {
  public:
    explicit ControlSink(PXV::PdfEditControl* control) : control_(control) {}
    void openPath(const wchar_t* path) override {
        if (control_) {
            control_->openDocument(path);
        }
    }

  private:
    PXV::PdfEditControl* control_;
};

}  // namespace

int CMainDlg::openFileList(wchar_t* text) {
    ControlSink sink(pdfControl);
    return cutFileList(text, sink);
}

void CMainDlg::openFileListUnquoted(wchar_t* text) {
    ControlSink sink(pdfControl);
    cutUnquotedFileList(text, sink);
}

int CMainDlg::openFile(const wchar_t* path) {
    if (path && PathFileExistsW(path)) {
        if (pdfControl) {
            pdfControl->openDocument(path);
        }
        return 1;
    }
    runPrompt(kMissingFile, m_hWnd);
    return 0;
}

LRESULT CMainDlg::onCopyData(const COPYDATASTRUCT* data) {
    if (!data) {
        return 1;
    }
    // The sender's data need not end with a zero: the path is read within cbData only.
    const std::wstring path = fromUtf16(copyDataPath(data->lpData, data->cbData));
    openFile(path.c_str());
    return 1;
}

LRESULT CMainDlg::onOpenDocRequest() {
    std::wstring text = takePendingCommandLine();
    openFileList(text.data());
    CenterWindow(GetDesktopWindow());
    SetFocus();
    return 0;
}
