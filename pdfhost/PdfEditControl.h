#pragma once

#include <windows.h>

#include "PdfControlPtrs.h"
#include "PdfEventNames.h"
#include "classlib/Wnd.h"

namespace PXV {

// The process-wide wrapper of the PDF editing control: its window and automation interface, and
// the typed operations the rest of the program calls. Made once by getPdfControl, never destroyed.
class PdfEditControl : public CWnd {
  public:
    PdfEditControl();

    const CRuntimeClass* GetRuntimeClass() const override;
    ~PdfEditControl() override;
    const EventSinkMap* GetEventSinkMap() const override;
    // Ignores the class name and the creation context: creates the control from its class.
    BOOL Create(LPCWSTR className,
                LPCWSTR windowName,
                DWORD style,
                const RECT& rect,
                CWnd* parent,
                UINT id,
                CCreateContext* context = nullptr) override;

    static const CRuntimeClass classPdfEditControl;
    static CLSID getClsid();
    // As Create, but always with the style WS_CHILD.
    bool createChild(LPCWSTR windowName,
                     DWORD style,
                     const RECT& rect,
                     CWnd* parent,
                     UINT id,
                     CFile* persist = nullptr,
                     BOOL storage = FALSE,
                     BSTR licenseKey = nullptr);

    // Dispatch operations. Without a control window they do nothing and out values stay as they were;
    // a call the control fails is not examined either (its code goes to the debugger output).
    IDispatch* getInstance();  // a new reference, or null
    void setInitFlag(ULONG value);
    void showView(LPCWSTR view, BOOL first, BOOL second);
    BOOL isDocumentOpen();
    void openDocument(LPCWSTR path);
    void enableEvent(LONG eventId, BOOL enable);
    void enableEvent(const LONG* eventId, BOOL enable);

    // The instance object, taken afresh: getInstance queried for the instance interface. A failed
    // query other than E_NOINTERFACE raises _com_error; no object gives a null pointer, and the first
    // call through it raises E_POINTER.
    IPdfInstancePtr takeInstance();
    // The instance object's event ID for a name (position 45), as the control wrote it.
    LONG getEventId(LPCWSTR name);
    void subscribeEvents();
    // Reopens both history files by path and shuts the engine down (position 84); its result.
    HRESULT shutdownEngine();

    // Every event the control fires (the event-sink map's one entry).
    void onPdfEvent(LONG eventId, IDispatch* eventObject, IUnknown* source);
    // The five events onPdfEvent reacts to; defined with it.
    void onDocumentViewActivated(LONG eventId, IDispatch* eventObject, IUnknown* source);
    void onOperExecuted(LONG eventId, IDispatch* eventObject, IUnknown* source);
    void onTextEditorStarted(LONG eventId, IDispatch* eventObject, IUnknown* source);
    void onPerformSave(LONG eventId, IDispatch* eventObject, IUnknown* source);
    void onDocumentClosed(LONG eventId, IDispatch* eventObject, IUnknown* source);

  private:
    bool flag_;  // nothing reads it
};

// Runs a named command on an instance object taken by the caller (position 92).
void runCommand(IPdfInstance* instance, LPCWSTR command);

// The engine's two history files, "DocHistory.dat" and "ThumbsHistory.dat" in the per-user cache
// folder, opened in this order by path (position 8); a file the engine did not open stays null.
// The engine's creation and its shut-down both hand them over.
struct HistoryFiles {
    IPdfHistoryPtr documents;
    IPdfHistoryPtr thumbnails;
};
HistoryFiles openHistoryFiles(IPdfInstance* engine);

}  // namespace PXV
