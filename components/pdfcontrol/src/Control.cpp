#include "Control.h"

#include <olectl.h>

#include <cstdio>

#include "Engine.h"
#include "Journal.h"
#include "Model.h"
#include "Module.h"
#include "pdfcontrol/PdfControlInterfaces.h"
#include "pdfcontrol/TestHooks.h"

namespace pdfc {
namespace {

constexpr wchar_t kWindowClass[] = L"PXVControl";
constexpr UINT kFireQueued = WM_APP + 1;

std::wstring dispidText(DISPID id) {
    wchar_t text[16];
    if (id > 0xFFFF) {
        _snwprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(id));
    } else {
        _snwprintf(text, 16, L"%ld", static_cast<long>(id));
    }
    text[15] = L'\0';
    return text;
}

// Positional argument i (0 = first as written by the caller) coerced to type vt.
HRESULT argument(const DISPPARAMS* params, UINT i, VARTYPE vt, VARIANT* out) {
    VariantInit(out);
    if (!params || i >= params->cArgs) {
        return DISP_E_BADPARAMCOUNT;
    }
    const VARIANT& in = params->rgvarg[params->cArgs - 1 - i];
    return VariantChangeType(out, const_cast<VARIANT*>(&in), 0, vt);
}

}  // namespace

Control::Control() {
    lockModule();
    registerObjectName(static_cast<IDispatch*>(this), L"C");
}

Control::~Control() {
    destroyWindow();
    for (auto& sink : sinks_) {
        sink.dispatch->Release();
    }
    if (site_) {
        site_->Release();
    }
    forgetObjectName(static_cast<IDispatch*>(this));
    unlockModule();
}

void Control::registerWindowClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = moduleHandle();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
}

void Control::unregisterWindowClass() {
    UnregisterClassW(kWindowClass, moduleHandle());
}

HRESULT STDMETHODCALLTYPE Control::QueryInterface(REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kControlDispatchIid) {
        *out = static_cast<IDispatch*>(this);
    } else if (iid == IID_IOleObject) {
        *out = static_cast<IOleObject*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
        *out = static_cast<IOleInPlaceObject*>(this);
    } else if (iid == IID_IConnectionPointContainer) {
        *out = static_cast<IConnectionPointContainer*>(this);
    } else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) {
        *out = static_cast<IProvideClassInfo2*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE Control::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG STDMETHODCALLTYPE Control::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE Control::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Control::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE
Control::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT* argError) {
    if (argError) {
        *argError = 0;
    }
    try {
        return invokeDispatch(id, flags, params, result);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT Control::invokeDispatch(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result) {
    const std::wstring call = L"C." + dispidText(id);
    Engine& engine = Engine::get();
    if (id == kDispInstance && (flags & DISPATCH_PROPERTYGET)) {
        if (!result) {
            return E_POINTER;
        }
        IPdfInstance* instance = makeInstance();
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = instance;
        journal(call + L" get -> " + argText(instance));
        return S_OK;
    }
    if (id == kDispDocumentOpen && (flags & DISPATCH_PROPERTYGET)) {
        if (!result) {
            return E_POINTER;
        }
        bool open = !engine.documents().empty();
        VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = open ? VARIANT_TRUE : VARIANT_FALSE;
        journal(call + L" get -> " + (open ? L"TRUE" : L"FALSE"));
        return S_OK;
    }
    if (id == kDispInitFlag && (flags & DISPATCH_PROPERTYPUT)) {
        VARIANT value;
        HRESULT hr = argument(params, 0, VT_UI4, &value);
        if (FAILED(hr)) {
            journal(call + L" put: bad value");
            return hr;
        }
        initFlag_ = value.ulVal;
        journal(call + L" put " + std::to_wstring(initFlag_));
        return S_OK;
    }
    if (!(flags & DISPATCH_METHOD)) {
        journal(call + L": no such property");
        return DISP_E_MEMBERNOTFOUND;
    }
    if (id == kDispShowView) {
        VARIANT view, first, second;
        HRESULT hr = argument(params, 0, VT_BSTR, &view);
        if (SUCCEEDED(hr)) {
            hr = argument(params, 1, VT_BOOL, &first);
        }
        if (SUCCEEDED(hr)) {
            hr = argument(params, 2, VT_BOOL, &second);
        }
        if (FAILED(hr)) {
            VariantClear(&view);
            journal(call + L": bad arguments");
            return hr;
        }
        journal(call + L"(" + argText(view.bstrVal) + L", " + (first.boolVal ? L"TRUE" : L"FALSE") + L", " +
                (second.boolVal ? L"TRUE" : L"FALSE") + L")");
        if (first.boolVal) {
            engine.shownViews.push_back(view.bstrVal ? view.bstrVal : L"");
            engine.changed();
        }
        VariantClear(&view);
        return S_OK;
    }
    if (id == kDispOpenDocument) {
        VARIANT path, options;
        HRESULT hr = argument(params, 0, VT_BSTR, &path);
        if (SUCCEEDED(hr)) {
            hr = argument(params, 1, VT_DISPATCH, &options);
        }
        if (FAILED(hr)) {
            VariantClear(&path);
            journal(call + L": bad arguments");
            return hr;
        }
        journal(call + L"(" + argText(path.bstrVal) + L", " + argText(options.pdispVal) + L")");
        VariantClear(&options);
        hr = openDocument(path.bstrVal ? path.bstrVal : L"");
        VariantClear(&path);
        return hr;
    }
    if (id == kDispEnableEvent) {
        VARIANT event, enable;
        HRESULT hr = argument(params, 0, VT_I4, &event);
        if (SUCCEEDED(hr)) {
            hr = argument(params, 1, VT_BOOL, &enable);
        }
        if (FAILED(hr)) {
            journal(call + L": bad arguments");
            return hr;
        }
        journal(call + L"(" + std::to_wstring(event.lVal) + L", " + (enable.boolVal ? L"TRUE" : L"FALSE") + L")");
        engine.enableEvent(event.lVal, enable.boolVal != VARIANT_FALSE);
        return S_OK;
    }
    journal(call + L": no such method");
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT Control::openDocument(const std::wstring& path) {
    std::wstring refusal;
    Engine& engine = Engine::get();
    if (!engine.openDocument(path, &refusal)) {
        // Refused visibly: the window says which file and why.
        engine.status = L"Cannot open \"" + path + L"\": " + refusal;
        engine.changed();
        journal(L"open refused \"" + path + L"\": " + refusal);
        return E_FAIL;
    }
    const Document& doc = engine.documents().back();
    journal(L"opened \"" + path + L"\": " + std::to_wstring(doc.pageCount) + L" pages");
    queueEvent(kEventDocumentViewActivated);
    return S_OK;
}

bool Control::fire(const std::wstring& name, IDispatch* eventObject) {
    Engine& engine = Engine::get();
    LONG id = engine.eventId(name);
    if (!engine.isEnabled(id)) {
        journal(L"event " + name + L" (" + std::to_wstring(id) + L") not enabled");
        return false;
    }
    journal(L"event " + name + L" (" + std::to_wstring(id) + L") to " + std::to_wstring(sinks_.size()) + L" sink(s)");
    AddRef();  // a handler may release the last outside reference
    std::vector<IDispatch*> sinks;
    for (auto& sink : sinks_) {
        sink.dispatch->AddRef();
        sinks.push_back(sink.dispatch);
    }
    for (IDispatch* sink : sinks) {
        VARIANT args[3];  // in reverse order: source, event object, event ID
        args[0].vt = VT_UNKNOWN;
        args[0].punkVal = static_cast<IDispatch*>(this);
        args[1].vt = VT_DISPATCH;
        args[1].pdispVal = eventObject;
        args[2].vt = VT_I4;
        args[2].lVal = id;
        DISPPARAMS params = {args, nullptr, 3, 0};
        sink->Invoke(kDispOnEvent, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        sink->Release();
    }
    Release();
    return true;
}

void Control::queueEvent(const std::wstring& name) {
    if (!hwnd_) {
        journal(L"event " + name + L" dropped: no control window");
        return;
    }
    pending_.push_back(name);
    PostMessageW(hwnd_, kFireQueued, 0, 0);
}

void Control::firePending() {
    if (pending_.empty()) {
        return;
    }
    std::wstring name = pending_.front();
    pending_.erase(pending_.begin());
    IDispatch* event = makeEventObject(name);
    fire(name, event);
    event->Release();
}

int Control::performSave() {
    Engine& engine = Engine::get();
    if (engine.activeIndex() < 0) {
        journal(L"save: no document");
        return -1;
    }
    journal(L"save \"" + engine.documents()[static_cast<size_t>(engine.activeIndex())].path + L"\"");
    AddRef();
    SaveEventObject* event = makeSaveEvent();
    fire(kEventDocumentPerformSave, asDispatch(event));
    bool stopped = finishSaveEvent(event);
    releaseSaveEvent(event);
    int outcome = 0;
    if (stopped) {
        journal(L"save stopped");
    } else if (engine.activeIndex() >= 0 && engine.saveActiveDocument()) {
        queueEvent(kEventDocumentAfterSave);
        outcome = 1;
    }
    Release();
    return outcome;
}

void Control::repaint() {
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

HRESULT STDMETHODCALLTYPE Control::SetClientSite(IOleClientSite* site) {
    if (site) {
        site->AddRef();
    }
    if (site_) {
        site_->Release();
    }
    site_ = site;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::GetClientSite(IOleClientSite** site) {
    if (!site) {
        return E_POINTER;
    }
    *site = site_;
    if (site_) {
        site_->AddRef();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::Close(DWORD) {
    InPlaceDeactivate();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) {
    if (site && !site_) {
        SetClientSite(site);
    }
    if (verb == OLEIVERB_HIDE) {
        if (hwnd_) {
            ShowWindow(hwnd_, SW_HIDE);
        }
        return S_OK;
    }
    if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW && verb != OLEIVERB_UIACTIVATE &&
        verb != OLEIVERB_PRIMARY) {
        return OLEOBJ_S_INVALIDVERB;
    }
    if (!hwnd_) {
        IOleInPlaceSite* inPlace = nullptr;
        if (site_) {
            site_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace));
        }
        if (inPlace && inPlace->CanInPlaceActivate() != S_OK) {
            inPlace->Release();
            return E_FAIL;
        }
        if (!parent && inPlace) {
            inPlace->GetWindow(&parent);
        }
        if (!parent || !createWindow(parent, rect)) {
            if (inPlace) {
                inPlace->Release();
            }
            return E_FAIL;
        }
        if (inPlace) {
            inPlace->OnInPlaceActivate();
            inPlace->Release();
        }
    }
    // In-place activation alone leaves the window as the container's style asks; the other verbs show it.
    if (verb != OLEIVERB_INPLACEACTIVATE) {
        ShowWindow(hwnd_, SW_SHOW);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::GetUserClassID(CLSID* clsid) {
    if (!clsid) {
        return E_POINTER;
    }
    *clsid = kControlClsid;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) {
        return E_POINTER;
    }
    *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::GetWindow(HWND* hwnd) {
    if (!hwnd) {
        return E_POINTER;
    }
    *hwnd = hwnd_;
    return hwnd_ ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE Control::InPlaceDeactivate() {
    if (!hwnd_) {
        return S_OK;
    }
    destroyWindow();
    IOleInPlaceSite* inPlace = nullptr;
    if (site_ && SUCCEEDED(site_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace))) && inPlace) {
        inPlace->OnInPlaceDeactivate();
        inPlace->Release();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::SetObjectRects(LPCRECT pos, LPCRECT) {
    if (!pos) {
        return E_POINTER;
    }
    if (hwnd_) {
        MoveWindow(hwnd_, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) {
        return E_POINTER;
    }
    if (iid != kControlEventsIid) {
        *point = nullptr;
        return CONNECT_E_NOCONNECTION;
    }
    *point = &eventPoint_;
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::GetClassInfo(ITypeInfo** info) {
    if (info) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Control::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) {
        return E_POINTER;
    }
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = kControlEventsIid;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::EventPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *out = this;
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE Control::EventPoint::GetConnectionInterface(IID* iid) {
    if (!iid) {
        return E_POINTER;
    }
    *iid = kControlEventsIid;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::EventPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) {
        return E_POINTER;
    }
    *container = owner_;
    owner_->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) {
        return E_POINTER;
    }
    IDispatch* dispatch = nullptr;
    if (FAILED(sink->QueryInterface(kControlEventsIid, reinterpret_cast<void**>(&dispatch))) || !dispatch) {
        if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch) {
            return CONNECT_E_CANNOTCONNECT;
        }
    }
    *cookie = owner_->nextCookie_++;
    owner_->sinks_.push_back(Sink{*cookie, dispatch});
    journal(L"C.advise " + std::to_wstring(*cookie));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Control::EventPoint::Unadvise(DWORD cookie) {
    auto& sinks = owner_->sinks_;
    for (auto it = sinks.begin(); it != sinks.end(); ++it) {
        if (it->cookie == cookie) {
            IDispatch* dispatch = it->dispatch;
            sinks.erase(it);
            dispatch->Release();
            journal(L"C.unadvise " + std::to_wstring(cookie));
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

bool Control::createWindow(HWND parent, LPCRECT rect) {
    RECT r = rect ? *rect : RECT{0, 0, 0, 0};
    HWND hwnd = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_TABSTOP, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, parent, nullptr, moduleHandle(), this);
    return hwnd != nullptr;
}

void Control::destroyWindow() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK Control::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        Engine::get().attachControl(self);
    }
    auto* self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->pending_.clear();
        Engine::get().detachControl(self);
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    try {
        return self->onMessage(msg, wp, lp);
    } catch (...) {
        return 0;
    }
}

LRESULT Control::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            paint(dc);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case kFireQueued:
            firePending();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS;
        case WM_LBUTTONDOWN:
            SetFocus(hwnd_);
            selectAt(static_cast<short>(HIWORD(lp)));
            return 0;
        case WM_KEYDOWN:
            // The user's own commands: Ctrl+S saves the active document, Ctrl+W closes it.
            if (GetKeyState(VK_CONTROL) < 0 && wp == 'S') {
                performSave();
                return 0;
            }
            if (GetKeyState(VK_CONTROL) < 0 && wp == 'W') {
                Engine::get().closeDocument(-1);
                return 0;
            }
            break;
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
            if (data && data->dwData == kCopyDataFireEvent && data->lpData && data->cbData >= sizeof(wchar_t)) {
                std::wstring name(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
                name = name.c_str();  // up to the terminator, if any
                IDispatch* event = makeEventObject(name);
                bool fired = fire(name, event);
                event->Release();
                return fired ? 1 : 0;
            }
            if (data && data->dwData == kCopyDataPerformSave) {
                return performSave();
            }
            if (data && data->dwData == kCopyDataMarkModified) {
                return Engine::get().markActiveModified() ? 1 : -1;
            }
            if (data && data->dwData == kCopyDataCloseDocument) {
                return closeOutcomeCode(Engine::get().closeDocument(-1));
            }
            break;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

namespace {
constexpr int kLineHeight = 20;
constexpr int kDocumentsTop = 3 * kLineHeight + 8;
}  // namespace

void Control::selectAt(int y) {
    int row = (y - kDocumentsTop) / kLineHeight;
    if (y >= kDocumentsTop) {
        Engine::get().activate(row);
    }
}

void Control::paint(HDC dc) {
    Engine& engine = Engine::get();
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    auto line = [&](int y, const std::wstring& text, COLORREF colour) {
        SetTextColor(dc, colour);
        TextOutW(dc, 8, y, text.c_str(), static_cast<int>(text.size()));
    };
    std::wstring title = engine.title();
    if (!engine.tool.empty()) {
        title += L"  [tool: " + engine.tool + L"]";
    }
    line(4, title, RGB(0, 0, 0));
    std::wstring tabs = L"Tabs:";
    for (ULONG i = 0; i < engine.tabCount; ++i) {
        if (i >= engine.tabHidden.size() || !engine.tabHidden[i]) {
            tabs += L" " + std::to_wstring(i);
        }
    }
    line(4 + kLineHeight, tabs, RGB(80, 80, 80));
    line(4 + 2 * kLineHeight, std::to_wstring(engine.documents().size()) + L" document(s) open", RGB(80, 80, 80));
    int y = kDocumentsTop;
    for (size_t i = 0; i < engine.documents().size(); ++i) {
        const Document& doc = engine.documents()[i];
        std::wstring text = (static_cast<int>(i) == engine.activeIndex() ? L"> " : L"   ") + doc.name +
                            (doc.modified ? L" *" : L"") + L"  (" + std::to_wstring(doc.pageCount) + L" pages)";
        line(y, text, RGB(0, 0, 0));
        y += kLineHeight;
    }
    if (!engine.status.empty()) {
        line(y + kLineHeight / 2, engine.status, RGB(200, 0, 0));
    }
    SelectObject(dc, oldFont);
}

}  // namespace pdfc
