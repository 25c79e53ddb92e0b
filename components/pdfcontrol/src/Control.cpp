#include "Control.h"

#include <olectl.h>

#include <cstdio>

#include "ControlInterfaces.h"
#include "Engine.h"
#include "Journal.h"
#include "Model.h"
#include "Module.h"
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

// The members of the control's dispatch interface, as its type information would list them: each
// is a property get, a property put or a method, with fixed argument types.
struct DispatchMember {
    DISPID id;
    WORD kind;  // DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT or DISPATCH_METHOD
    UINT argCount;
    VARTYPE args[3];
};

constexpr DispatchMember kDispatchMembers[] = {
    {kDispInstance, DISPATCH_PROPERTYGET, 0, {}},
    {kDispDocumentOpen, DISPATCH_PROPERTYGET, 0, {}},
    {kDispInitFlag, DISPATCH_PROPERTYPUT, 1, {VT_UI4}},
    {kDispShowView, DISPATCH_METHOD, 3, {VT_BSTR, VT_BOOL, VT_BOOL}},
    {kDispOpenDocument, DISPATCH_METHOD, 2, {VT_BSTR, VT_DISPATCH}},
    {kDispEnableEvent, DISPATCH_METHOD, 2, {VT_I4, VT_BOOL}},
};

const DispatchMember* findMember(DISPID id) {
    for (const DispatchMember& member : kDispatchMembers) {
        if (member.id == id) {
            return &member;
        }
    }
    return nullptr;
}

std::wstring kindText(WORD flags) {
    switch (flags) {
        case DISPATCH_PROPERTYGET:
            return L"get";
        case DISPATCH_PROPERTYPUT:
            return L"put";
        case DISPATCH_PROPERTYPUTREF:
            return L"putref";
        case DISPATCH_METHOD:
            return L"method";
        case DISPATCH_METHOD | DISPATCH_PROPERTYGET:
            return L"method|get";
        default: {
            wchar_t text[16];
            _snwprintf(text, 16, L"flags 0x%X", static_cast<unsigned>(flags));
            text[15] = L'\0';
            return text;
        }
    }
}

std::wstring memberKindText(WORD kind) {
    return kind == DISPATCH_METHOD ? L"method" : L"property " + kindText(kind);
}

// A call as the control received it, for a refusal: "C.<id> <kind>(<argument types>)".
std::wstring receivedCall(DISPID id, WORD flags, const DISPPARAMS* params) {
    std::wstring text = L"C." + dispidText(id) + L" " + kindText(flags) + L"(";
    if (params && params->rgvarg) {
        for (UINT i = 0; i < params->cArgs; ++i) {
            text += (i ? L", " : L"") + vtName(params->rgvarg[params->cArgs - 1 - i].vt);
        }
    }
    return text + L")";
}

// Whether the call's kind is the member's: a get or a method may also be asked for as both at
// once, as automation clients do; a put is a put alone.
bool kindMatches(const DispatchMember& member, WORD flags) {
    if (member.kind == DISPATCH_PROPERTYPUT) {
        return flags == DISPATCH_PROPERTYPUT;
    }
    return flags == member.kind || flags == (DISPATCH_METHOD | DISPATCH_PROPERTYGET);
}

// What an automation server refuses before it runs a member: an unknown member or the wrong kind
// (DISP_E_MEMBERNOTFOUND), named arguments other than a put's value (DISP_E_NONAMEDARGS,
// DISP_E_PARAMNOTFOUND), the wrong number of arguments (DISP_E_BADPARAMCOUNT), an argument of
// another type, where no type is converted (DISP_E_TYPEMISMATCH with the argument's index in
// rgvarg), a VT_BOOL that is neither VARIANT_TRUE nor VARIANT_FALSE, and a get without a place for
// its value. S_OK, or the code with `reason` and `argError` set.
HRESULT checkCall(const DispatchMember* member,
                  WORD flags,
                  const DISPPARAMS* params,
                  const VARIANT* result,
                  UINT* argError,
                  std::wstring* reason) {
    if (!member) {
        *reason = L"no such member";
        return DISP_E_MEMBERNOTFOUND;
    }
    if (!kindMatches(*member, flags)) {
        *reason = L"the member is a " + memberKindText(member->kind);
        return DISP_E_MEMBERNOTFOUND;
    }
    if (!params || (params->cArgs > 0 && !params->rgvarg)) {
        *reason = L"no arguments given";
        return E_INVALIDARG;
    }
    if (member->kind == DISPATCH_PROPERTYPUT) {
        if (params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
            *argError = 0;
            *reason = L"the value is not named DISPID_PROPERTYPUT";
            return DISP_E_PARAMNOTFOUND;
        }
    } else if (params->cNamedArgs != 0) {
        *reason = L"named arguments";
        return DISP_E_NONAMEDARGS;
    }
    if (params->cArgs != member->argCount) {
        *reason = std::to_wstring(params->cArgs) + L" argument(s), " + std::to_wstring(member->argCount) + L" expected";
        return DISP_E_BADPARAMCOUNT;
    }
    for (UINT i = 0; i < member->argCount; ++i) {
        const UINT at = params->cArgs - 1 - i;
        const VARIANT& arg = params->rgvarg[at];
        const std::wstring which = L"argument " + std::to_wstring(i + 1);
        if (arg.vt != member->args[i]) {
            *argError = at;
            *reason = which + L" is " + vtName(arg.vt) + L", " + vtName(member->args[i]) + L" expected";
            return DISP_E_TYPEMISMATCH;
        }
        if (arg.vt == VT_BOOL && arg.boolVal != VARIANT_TRUE && arg.boolVal != VARIANT_FALSE) {
            *argError = at;
            *reason =
                which + L" is VT_BOOL " + std::to_wstring(arg.boolVal) + L", neither VARIANT_TRUE nor VARIANT_FALSE";
            return DISP_E_TYPEMISMATCH;
        }
    }
    if (member->kind == DISPATCH_PROPERTYGET && !result) {
        *reason = L"no place for the value";
        return E_POINTER;
    }
    return S_OK;
}

// Argument i as the caller wrote it (0 = first); checkCall has checked its type.
const VARIANT& argument(const DISPPARAMS* params, UINT i) {
    return params->rgvarg[params->cArgs - 1 - i];
}

std::wstring boolText(VARIANT_BOOL value) {
    return value ? L"TRUE" : L"FALSE";
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
    try {
        UINT errorAt = 0;
        std::wstring reason;
        HRESULT hr = checkCall(findMember(id), flags, params, result, &errorAt, &reason);
        if (FAILED(hr)) {
            if (argError && (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND)) {
                *argError = errorAt;
            }
            refuse(receivedCall(id, flags, params), reason);
            return hr;
        }
        return invokeDispatch(id, params, result);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// A call checkCall accepted: the member exists and the arguments have its types.
HRESULT Control::invokeDispatch(DISPID id, DISPPARAMS* params, VARIANT* result) {
    const std::wstring call = L"C." + dispidText(id);
    Engine& engine = Engine::get();
    switch (id) {
        case kDispInstance: {
            IPdfInstance* instance = makeInstance();
            VariantInit(result);
            result->vt = VT_DISPATCH;
            result->pdispVal = instance;
            journal(call + L" get -> " + argText(instance));
            return S_OK;
        }
        case kDispDocumentOpen: {
            bool open = !engine.documents().empty();
            VariantInit(result);
            result->vt = VT_BOOL;
            result->boolVal = open ? VARIANT_TRUE : VARIANT_FALSE;
            journal(call + L" get -> " + (open ? L"TRUE" : L"FALSE"));
            return S_OK;
        }
        case kDispInitFlag: {
            const ULONG value = argument(params, 0).ulVal;
            if (value != 1) {
                refuse(call + L" put " + std::to_wstring(value), L"only 1 is taken");
                return E_INVALIDARG;
            }
            initFlag_ = value;
            journal(call + L" put " + std::to_wstring(initFlag_));
            return S_OK;
        }
        case kDispShowView: {
            BSTR view = argument(params, 0).bstrVal;
            VARIANT_BOOL first = argument(params, 1).boolVal;
            VARIANT_BOOL second = argument(params, 2).boolVal;
            journal(call + L"(" + argText(view) + L", " + boolText(first) + L", " + boolText(second) + L")");
            if (first) {
                engine.shownViews.push_back(view ? view : L"");
                engine.changed();
            }
            return S_OK;
        }
        case kDispOpenDocument: {
            BSTR path = argument(params, 0).bstrVal;
            IDispatch* options = argument(params, 1).pdispVal;
            const std::wstring text = call + L"(" + argText(path) + L", " + argText(options) + L")";
            if (options) {
                refuse(text, L"the options object must be null");
                return E_INVALIDARG;
            }
            journal(text);
            return openDocument(path ? path : L"");
        }
        case kDispEnableEvent: {
            LONG event = argument(params, 0).lVal;
            VARIANT_BOOL enable = argument(params, 1).boolVal;
            const std::wstring text = call + L"(" + std::to_wstring(event) + L", " + boolText(enable) + L")";
            if (!engine.isEventId(event)) {
                refuse(text, L"no such event ID");
                return E_INVALIDARG;
            }
            journal(text);
            engine.enableEvent(event, enable != VARIANT_FALSE);
            return S_OK;
        }
        default:
            return DISP_E_MEMBERNOTFOUND;  // checkCall knows no other member
    }
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
