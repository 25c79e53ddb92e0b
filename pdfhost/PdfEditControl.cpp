#include "PdfEditControl.h"

#include <string>

#include "HandlerBoundary.h"
#include "PdfHostEnvironment.h"

namespace PXV {
namespace {

CWnd* createPdfEditControl() {
    return new PdfEditControl();
}

const EventSinkEntry kEventSinkEntries[] = {
    eventSinkEntry<&PdfEditControl::onPdfEvent>(101, pdfc::kDispOnEvent, VTS_I4 VTS_DISPATCH VTS_UNKNOWN),
};
const EventSinkMap kEventSinkMap = {&CWnd::eventSinkMap, kEventSinkEntries, 1};

// The wrapper's dispatch operations do not examine the control's answer: a call that failed (the
// class library raises it) ends here, an out value keeps what it held, and the caller goes on.
template <class... Args>
void invokeIgnoringFailure(PdfEditControl& control,
                           DISPID dispid,
                           WORD flags,
                           VARTYPE resultType,
                           void* result,
                           const char* paramTypes,
                           Args... args) {
    runAtBoundary(L"PDF control dispatch call",
                  [&] { control.InvokeHelper(dispid, flags, resultType, result, paramTypes, args...); });
}

}  // namespace

const CRuntimeClass PdfEditControl::classPdfEditControl = {"PdfEditControl", sizeof(PdfEditControl),
                                                           &createPdfEditControl, &CWnd::classCWnd};

PdfEditControl::PdfEditControl() : flag_(false) {
    (void)flag_;
}

const CRuntimeClass* PdfEditControl::GetRuntimeClass() const {
    return &classPdfEditControl;
}

PdfEditControl::~PdfEditControl() = default;

const EventSinkMap* PdfEditControl::GetEventSinkMap() const {
    return &kEventSinkMap;
}

BOOL PdfEditControl::Create(LPCWSTR,
                            LPCWSTR windowName,
                            DWORD style,
                            const RECT& rect,
                            CWnd* parent,
                            UINT id,
                            CCreateContext*) {
    return CreateControl(getClsid(), windowName, style, rect, parent, id, nullptr, FALSE, nullptr);
}

CLSID PdfEditControl::getClsid() {
    return pdfc::kControlClsid;
}

bool PdfEditControl::createChild(LPCWSTR windowName,
                                 DWORD,
                                 const RECT& rect,
                                 CWnd* parent,
                                 UINT id,
                                 CFile*,
                                 BOOL,
                                 BSTR) {
    return CreateControl(getClsid(), windowName, WS_CHILD, rect, parent, id, nullptr, FALSE, nullptr) != FALSE;
}

IDispatch* PdfEditControl::getInstance() {
    IDispatch* instance = nullptr;
    invokeIgnoringFailure(*this, pdfc::kDispInstance, DISPATCH_PROPERTYGET, VT_DISPATCH, &instance, VTS_NONE);
    return instance;
}

void PdfEditControl::setInitFlag(ULONG value) {
    invokeIgnoringFailure(*this, pdfc::kDispInitFlag, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, VTS_UI4, value);
}

void PdfEditControl::showView(LPCWSTR view, BOOL first, BOOL second) {
    invokeIgnoringFailure(*this, pdfc::kDispShowView, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_BSTR VTS_BOOL VTS_BOOL,
                          view, first, second);
}

BOOL PdfEditControl::isDocumentOpen() {
    BOOL open = FALSE;  // stays FALSE when there is no control to ask
    invokeIgnoringFailure(*this, pdfc::kDispDocumentOpen, DISPATCH_PROPERTYGET, VT_BOOL, &open, VTS_NONE);
    return open;
}

void PdfEditControl::openDocument(LPCWSTR path) {
    invokeIgnoringFailure(*this, pdfc::kDispOpenDocument, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_BSTR VTS_DISPATCH,
                          path, static_cast<IDispatch*>(nullptr));
}

void PdfEditControl::enableEvent(LONG eventId, BOOL enable) {
    invokeIgnoringFailure(*this, pdfc::kDispEnableEvent, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_I4 VTS_BOOL, eventId,
                          enable);
}

void PdfEditControl::enableEvent(const LONG* eventId, BOOL enable) {
    enableEvent(*eventId, enable);
}

IPdfInstancePtr PdfEditControl::takeInstance() {
    struct Held {
        IDispatch* p;
        ~Held() {
            if (p) {
                p->Release();  // the dispatch reference goes, also when the query raises
            }
        }
    } dispatch{getInstance()};
    return IPdfInstancePtr(dispatch.p);
}

LONG PdfEditControl::getEventId(LPCWSTR name) {
    IPdfInstancePtr instance = takeInstance();
    LONG id = 0;  // what the caller gets when the control writes none
    instance->GetEventId(_bstr_t(name), 0, &id);
    return id;
}

void PdfEditControl::subscribeEvents() {
    for (const wchar_t* name : PdfEventNames) {
        enableEvent(getEventId(name), TRUE);
    }
}

HRESULT PdfEditControl::shutdownEngine() {
    IPdfInstancePtr instance = takeInstance();
    HistoryFiles history = openHistoryFiles(instance);
    HRESULT hr = instance->Shutdown(history.documents, history.thumbnails, 0);
    history.thumbnails = nullptr;
    history.documents = nullptr;
    instance = nullptr;
    return hr;
}

HistoryFiles openHistoryFiles(IPdfInstance* engine) {
    if (!engine) {
        _com_issue_error(E_POINTER);
    }
    const std::wstring cache = pdfHostEnvironment().cacheDir();
    HistoryFiles files;
    engine->OpenHistory(_bstr_t((cache + L"DocHistory.dat").c_str()), &files.documents);
    engine->OpenHistory(_bstr_t((cache + L"ThumbsHistory.dat").c_str()), &files.thumbnails);
    return files;
}

void runCommand(IPdfInstance* instance, LPCWSTR command) {
    if (!instance) {
        _com_issue_error(E_POINTER);
    }
    instance->RunCommand(_bstr_t(command), 0);
}

}  // namespace PXV
