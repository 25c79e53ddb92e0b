#pragma once

namespace PXV {

// What the control's events ask of the program's shell, which lies above the control's host: the
// main window's close sequence and the sign-in before a save. The shell gives its answers before the
// control's window exists (setPdfHostShell); until then the answers are those of a program without
// a main window: nobody asked to close it, and a save that waits for a sign-in is stopped.
class PdfHostShell {
  public:
    // Whether the user asked to close the program: every closed document then continues the closing.
    virtual bool exitRequested() const = 0;
    // One step of the closing: closes the active document; a close the user cancels ends the closing.
    virtual void closeDocumentForExit() = 0;
    // Sends the main window WM_CLOSE, so its close sequence runs again.
    virtual void closeMainWindow() = 0;
    // The prompt that offers the sign-in before a save; true when the user accepts it.
    virtual bool acceptsLoginBeforeSave() = 0;
    // The main window's sign-in dialog, run modally; its code (2: the user closed it), 0 without a
    // main window.
    virtual int runLoginDialog() = 0;

  protected:
    ~PdfHostShell() = default;
};

// The shell's answers from now on; null gives back those of a program without a main window.
void setPdfHostShell(PdfHostShell* shell);
PdfHostShell& pdfHostShell();

}  // namespace PXV
