// The engine's object model: the instance object and everything reached from it. Each call is
// journalled; the calls with an effect change the engine's state.
#include "Model.h"

#include <windows.h>

#include <commdlg.h>

#include "Control.h"
#include "Engine.h"
#include "Journal.h"
#include "ModelObject.h"

namespace pdfc {
namespace {

// Private: lets the engine find the path behind a history object it handed out.
constexpr IID kHistorySelfIid = {0x3F1D8B52, 0x7C0E, 0x4E9B, {0x9A, 0x61, 0x2B, 0x4D, 0x0C, 0x77, 0xE5, 0x13}};

std::wstring text(BSTR value) {
    return value ? std::wstring(value) : std::wstring();
}

std::wstring indexed(const std::wstring& parent, LONG index) {
    return parent + L"[" + std::to_wstring(index) + L"]";
}

// Every event the control has; position 45 gives IDs for these names only.
constexpr const wchar_t* kEventNames[] = {
    kEventDocumentViewBeforeClose, kEventDocumentAskForSaveDest,
    kEventDocumentViewClosed,      kEventMainViewClosed,
    kEventMainFrameClosed,         kEventDocumentAfterSave,
    kEventDocumentPerformSave,     kEventDocumentViewActivated,
    kEventDocumentClosed,          kEventOperExecuted,
    kEventDocumentBeforeClose,     kEventDocumentToolActivated,
    kEventTextEditorStarted,       kEventTextEditorSelChanged,
    kEventDocumentSourceChanged,
};

bool isControlEvent(const std::wstring& name) {
    for (const wchar_t* known : kEventNames) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

class HistoryObject final : public ModelObject<IPdfHistory> {
  public:
    explicit HistoryObject(std::wstring path) : ModelObject(L"H:" + fileOf(path)), path_(std::move(path)) {}

    static std::wstring pathOf(IPdfHistory* history) {
        HistoryObject* self = nullptr;
        if (!history || FAILED(history->QueryInterface(kHistorySelfIid, reinterpret_cast<void**>(&self))) || !self) {
            return std::wstring();
        }
        return self->path_;  // the private query adds no reference
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out && iid == kHistorySelfIid) {
            *out = this;
            return S_OK;
        }
        return ModelObject::QueryInterface(iid, out);
    }

  private:
    static std::wstring fileOf(const std::wstring& path) {
        size_t cut = path.find_last_of(L"\\/");
        return cut == std::wstring::npos ? path : path.substr(cut + 1);
    }

    std::wstring path_;
};

class MetricsObject final : public ModelObject<IPdfMetrics> {
  public:
    MetricsObject() : ModelObject(L"Q3") {}
    HRESULT STDMETHODCALLTYPE SetExtent(LONG width, LONG widthFlags, LONG height, LONG heightFlags) override {
        record(17, width, widthFlags, height, heightFlags);
        return S_OK;
    }
};

class LayoutObject final : public ModelObject<IPdfLayout> {
  public:
    LayoutObject() : ModelObject(L"Q2") {}
    HRESULT STDMETHODCALLTYPE GetMetrics(IPdfMetrics** metrics) override {
        return handOut(new MetricsObject(), metrics, 7);
    }
};

class PaneObject final : public ModelObject<IPdfPane> {
  public:
    explicit PaneObject(std::wstring name) : ModelObject(std::move(name)) {}
    HRESULT STDMETHODCALLTYPE GetLayout(IPdfLayout** layout) override {
        return handOut(new LayoutObject(), layout, 11);
    }
};

class BarObject final : public ModelObject<IPdfBar> {
  public:
    BarObject() : ModelObject(L"W") {}
};

class ViewSetObject final : public ModelObject<IPdfViewSet> {
  public:
    ViewSetObject() : ModelObject(L"V") {}
    HRESULT STDMETHODCALLTYPE CloseDocument(LONG which) override {
        record(26, which);
        switch (Engine::get().closeDocument(which)) {
            case CloseOutcome::Closed:
                return S_OK;
            case CloseOutcome::Kept:
                return S_FALSE;  // the user kept it open
            default:
                return E_INVALIDARG;
        }
    }
    HRESULT STDMETHODCALLTYPE AttachBar(IPdfBar* bar, LONG flags1, LONG flags2) override {
        record(43, static_cast<IUnknown*>(bar), flags1, flags2);
        return S_OK;
    }
};

class DocumentAreaObject final : public ModelObject<IPdfDocumentArea> {
  public:
    DocumentAreaObject() : ModelObject(L"T") {}
    HRESULT STDMETHODCALLTYPE GetPane(IPdfPane** pane) override { return handOut(new PaneObject(L"T2"), pane, 14); }
    HRESULT STDMETHODCALLTYPE GetViews(IPdfViewSet** views) override {
        Engine& engine = Engine::get();
        if (engine.failNextCloseChain) {
            // As a document area being torn down answers: a failure and no object.
            engine.failNextCloseChain = false;
            if (views) {
                *views = nullptr;
            }
            journal(callText(name(), 25) + L" failed (test hook)");
            return E_FAIL;
        }
        return handOut(new ViewSetObject(), views, 25);
    }
};

class GroupItemObject final : public ModelObject<IPdfGroupItem> {
  public:
    explicit GroupItemObject(std::wstring name) : ModelObject(std::move(name)) {}
    HRESULT STDMETHODCALLTYPE SetState(LONG state, LONG flags) override {
        record(25, state, flags);
        return S_OK;
    }
};

class GroupObject final : public ModelObject<IPdfGroup> {
  public:
    explicit GroupObject(std::wstring name) : ModelObject(std::move(name)) {}
    HRESULT STDMETHODCALLTYPE GetItem(LONG index, IPdfGroupItem** item) override {
        return handOut(new GroupItemObject(indexed(name(), index)), item, 12, index);
    }
};

class TabObject final : public ModelObject<IPdfTab> {
  public:
    explicit TabObject(LONG index) : ModelObject(indexed(L"Y", index)), index_(index) {}
    HRESULT STDMETHODCALLTYPE GetGroup(LONG index, IPdfGroup** group) override {
        return handOut(new GroupObject(indexed(name(), index)), group, 8, index);
    }
    HRESULT STDMETHODCALLTYPE SetHidden(LONG hidden) override {
        record(18, hidden);
        Engine& engine = Engine::get();
        if (index_ >= 0 && static_cast<size_t>(index_) < engine.tabHidden.size()) {
            engine.tabHidden[static_cast<size_t>(index_)] = hidden != 0;
            engine.changed();
        }
        return S_OK;
    }

  private:
    LONG index_;
};

class TabsObject final : public ModelObject<IPdfTabs> {
  public:
    TabsObject() : ModelObject(L"Y") {}
    HRESULT STDMETHODCALLTYPE GetItem(LONG index, IPdfTab** tab) override {
        if (index < 0 || static_cast<ULONG>(index) >= Engine::get().tabCount) {
            if (tab) {
                *tab = nullptr;
            }
            recordGives(nullptr, 12, index);
            return E_INVALIDARG;
        }
        return handOut(new TabObject(index), tab, 12, index);
    }
    HRESULT STDMETHODCALLTYPE GetCount(ULONG* count) override {
        if (!count) {
            return E_POINTER;
        }
        *count = Engine::get().tabCount;
        journal(callText(name(), 13) + L" -> " + std::to_wstring(*count));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RefreshItem(LONG index) override {
        record(15, index);
        return S_OK;
    }
};

class StyleObject final : public ModelObject<IPdfStyle> {
  public:
    explicit StyleObject(std::wstring name) : ModelObject(std::move(name)) {}
    HRESULT STDMETHODCALLTYPE SetValue(LONG value) override {
        record(20, value);
        return S_OK;
    }
};

class SectionObject final : public ModelObject<IPdfSection> {
  public:
    explicit SectionObject(std::wstring name) : ModelObject(std::move(name)) {}
    HRESULT STDMETHODCALLTYPE GetStyle(IPdfStyle** style) override {
        return handOut(new StyleObject(name() + L".style"), style, 15);
    }
};

class PanelObject final : public ModelObject<IPdfPanel> {
  public:
    explicit PanelObject(std::wstring name) : ModelObject(std::move(name)) {}
    HRESULT STDMETHODCALLTYPE GetSection(LONG index, IPdfSection** section) override {
        return handOut(new SectionObject(indexed(name(), index)), section, 8, index);
    }
};

class PanelSetObject final : public ModelObject<IPdfPanelSet> {
  public:
    PanelSetObject() : ModelObject(L"K") {}
    HRESULT STDMETHODCALLTYPE GetPanel(LONG index, IPdfPanel** panel) override {
        return handOut(new PanelObject(indexed(name(), index)), panel, 12, index);
    }
};

class CommandBarObject final : public ModelObject<IPdfCommandBar> {
  public:
    explicit CommandBarObject(std::wstring name) : ModelObject(std::move(name)) {}
    HRESULT STDMETHODCALLTYPE GetChild(LONG index, IPdfCommandBar** child) override {
        return handOut(new CommandBarObject(indexed(name(), index)), child, 8, index);
    }
    HRESULT STDMETHODCALLTYPE SetStyle(LONG style) override {
        record(20, style);
        return S_OK;
    }
};

class RibbonObject final : public ModelObject<IPdfRibbon> {
  public:
    RibbonObject() : ModelObject(L"B") {}
    HRESULT STDMETHODCALLTYPE GetBar(IPdfBar** bar) override { return handOut(new BarObject(), bar, 7); }
    HRESULT STDMETHODCALLTYPE GetTabs(IPdfTabs** tabs) override { return handOut(new TabsObject(), tabs, 34); }
    HRESULT STDMETHODCALLTYPE GetPanels(IPdfPanelSet** panels) override {
        return handOut(new PanelSetObject(), panels, 35);
    }
    HRESULT STDMETHODCALLTYPE GetCommandBar(IPdfCommandBar** bar) override {
        return handOut(new CommandBarObject(L"H"), bar, 42);
    }
};

class FrameObject final : public ModelObject<IPdfFrame> {
  public:
    FrameObject() : ModelObject(L"A") {}
    HRESULT STDMETHODCALLTYPE GetPane(IPdfPane** pane) override { return handOut(new PaneObject(L"Q1"), pane, 14); }
    HRESULT STDMETHODCALLTYPE GetRibbon(IPdfRibbon** ribbon) override {
        return handOut(new RibbonObject(), ribbon, 15);
    }
    HRESULT STDMETHODCALLTYPE GetDocumentArea(IPdfDocumentArea** area) override {
        return handOut(new DocumentAreaObject(), area, 26);
    }
};

// A value of the auxiliary objects. Position 3 (IDispatch's type-information count) gives its
// 4-byte value: the position of the auxiliary function that gave the object.
class ValueObject final : public ModelObject<IDispatch> {
  public:
    ValueObject(std::wstring name, UINT value) : ModelObject(std::move(name)), value_(value) {}
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) {
            record(3);
            return E_POINTER;
        }
        *count = value_;
        journal(callText(name(), 3) + L" -> " + std::to_wstring(*count));
        return S_OK;
    }

  private:
    UINT value_;
};

class AuxiliaryObject final : public ModelObject<IPdfAuxiliary> {
  public:
    explicit AuxiliaryObject(std::wstring name) : ModelObject(std::move(name)) {}
    HRESULT STDMETHODCALLTYPE GetValueObject(IDispatch** value) override {
        if (!value) {
            journal(callText(name(), 9, static_cast<IUnknown*>(nullptr)));
            return E_POINTER;
        }
        *value = new ValueObject(name() + L".value", 9);
        recordGives(*value, 9);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetItem(IPdfAuxiliary** item) override {
        return handOut(new AuxiliaryObject(name() + L".item"), item, 13);
    }
    // As a source of Apply's eight arguments: objects named after their position, and plain values
    // that are the position itself, so a journal shows where each argument came from.
    HRESULT STDMETHODCALLTYPE GetApplyValue2(LONG* value) override { return giveValue(15, value); }
    HRESULT STDMETHODCALLTYPE GetApplyObject1(IDispatch** object) override { return giveObject(17, object); }
    HRESULT STDMETHODCALLTYPE GetApplyObject6(IDispatch** object) override { return giveObject(19, object); }
    HRESULT STDMETHODCALLTYPE GetApplyObject4(IDispatch** object) override { return giveObject(21, object); }
    HRESULT STDMETHODCALLTYPE GetApplyObject5(IDispatch** object) override { return giveObject(23, object); }
    HRESULT STDMETHODCALLTYPE GetApplyObject3(IDispatch** object) override { return giveObject(25, object); }
    HRESULT STDMETHODCALLTYPE GetApplyObject7(IDispatch** object) override { return giveObject(27, object); }
    HRESULT STDMETHODCALLTYPE GetApplyValue8(LONG* value) override { return giveValue(28, value); }
    HRESULT STDMETHODCALLTYPE Apply(IDispatch* v1,
                                    LONG v2,
                                    IDispatch* v3,
                                    IDispatch* v4,
                                    IDispatch* v5,
                                    IDispatch* v6,
                                    IDispatch* v7,
                                    LONG v8) override {
        record(65, static_cast<IUnknown*>(v1), v2, static_cast<IUnknown*>(v3), static_cast<IUnknown*>(v4),
               static_cast<IUnknown*>(v5), static_cast<IUnknown*>(v6), static_cast<IUnknown*>(v7), v8);
        return S_OK;
    }

  private:
    HRESULT giveObject(int slot, IDispatch** object) const {
        return handOut(new ValueObject(name() + L"." + std::to_wstring(slot), static_cast<UINT>(slot)), object, slot);
    }
    HRESULT giveValue(int slot, LONG* value) const {
        if (!value) {
            record(slot);
            return E_POINTER;
        }
        *value = slot;
        journal(callText(name(), slot) + L" -> " + std::to_wstring(*value));
        return S_OK;
    }
};

class SettingsNode final : public ModelObject<IPdfSettings> {
  public:
    SettingsNode(std::wstring name, std::shared_ptr<SettingsData> data)
        : ModelObject(std::move(name)), data_(std::move(data)) {}

    HRESULT STDMETHODCALLTYPE SetFlag(BSTR path, LONG value) override {
        if (!path || !*path) {
            return refused(E_INVALIDARG, L"no setting name", 33, path, value);
        }
        record(33, path, value);
        data_->values[path] = std::to_wstring(value);
        Engine::get().changed();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetText(BSTR entry, BSTR value) override {
        if (!entry || !*entry) {
            return refused(E_INVALIDARG, L"no setting name", 37, entry, value);
        }
        record(37, entry, value);
        data_->values[entry] = text(value);
        Engine::get().changed();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetNode(VARIANT key, IPdfSettings** node) override {
        if (!node) {
            record(41, key);
            return E_POINTER;
        }
        *node = nullptr;
        if (key.vt != VT_BSTR) {
            return refused(E_INVALIDARG, L"the name is " + vtName(key.vt) + L", VT_BSTR expected", 41, key);
        }
        if (!key.bstrVal || !*key.bstrVal) {
            return refused(E_INVALIDARG, L"no node name", 41, key);
        }
        auto& child = data_->children[key.bstrVal];
        if (!child) {
            child = std::make_shared<SettingsData>();
        }
        *node = new SettingsNode(name() + L"/" + key.bstrVal, child);
        recordGives(*node, 41, key);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AddEntry(LONG reserved, IPdfSettings** entry) override {
        if (!entry) {
            record(46, reserved);
            return E_POINTER;
        }
        data_->entries.push_back(std::make_shared<SettingsData>());
        *entry = new SettingsNode(name() + L"#" + std::to_wstring(data_->entries.size()), data_->entries.back());
        recordGives(*entry, 46, reserved);
        return S_OK;
    }

  private:
    std::shared_ptr<SettingsData> data_;
};

class CoreExtensionObject final : public ModelObject<IPdfCoreExtension> {
  public:
    CoreExtensionObject() : ModelObject(L"PXC") {}
};

class UiExtensionObject final : public ModelObject<IPdfUiExtension> {
  public:
    UiExtensionObject() : ModelObject(L"UIX") {}
    HRESULT STDMETHODCALLTYPE GetViews(IPdfViewSet** views) override { return handOut(new ViewSetObject(), views, 70); }
};

void browseForOpen() {
    wchar_t path[MAX_PATH] = L"";
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    Control* control = Engine::get().control();
    ofn.hwndOwner = control ? control->window() : nullptr;
    ofn.lpstrFilter = L"PDF\0*.pdf\0\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    // The common dialogs (and the common controls they load) come when first asked for, so the
    // control's start-up in every process does not pay for them; they stay loaded.
    using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);
    HMODULE dialogs = LoadLibraryW(L"comdlg32.dll");
    auto getOpenFileName =
        dialogs
            ? reinterpret_cast<GetOpenFileNameFn>(reinterpret_cast<void*>(GetProcAddress(dialogs, "GetOpenFileNameW")))
            : nullptr;
    if (getOpenFileName && getOpenFileName(&ofn) && control) {
        std::wstring refusal;
        Engine& engine = Engine::get();
        if (engine.openDocument(path, &refusal)) {
            journal(L"opened \"" + std::wstring(path) + L"\"");
            control->queueEvent(kEventDocumentViewActivated);
        } else {
            engine.status = L"Cannot open \"" + std::wstring(path) + L"\": " + refusal;
            engine.changed();
        }
    }
}

class InstanceObject final : public ModelObject<IPdfInstance> {
  public:
    InstanceObject() : ModelObject(L"X") {}

    HRESULT STDMETHODCALLTYPE OpenHistory(BSTR path, IPdfHistory** history) override {
        if (!history) {
            record(8, path);
            return E_POINTER;
        }
        *history = nullptr;
        if (!path || !*path) {
            return refused(E_INVALIDARG, L"no path", 8, path);
        }
        *history = new HistoryObject(path);
        recordGives(*history, 8, path);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Initialize(LONG r1,
                                         LONG r2,
                                         LONG r3,
                                         IPdfHistory* docHistory,
                                         IPdfHistory* thumbHistory,
                                         LONG r4,
                                         LONG r5) override {
        record(9, r1, r2, r3, static_cast<IUnknown*>(docHistory), static_cast<IUnknown*>(thumbHistory), r4, r5);
        Engine::get().start(HistoryObject::pathOf(docHistory), HistoryObject::pathOf(thumbHistory));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PrepareExit(LONG flags) override {
        record(11, flags);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFrame(IPdfFrame** frame) override { return handOut(new FrameObject(), frame, 17); }
    HRESULT STDMETHODCALLTYPE GetAuxiliary(IPdfAuxiliary** auxiliary) override {
        return handOut(new AuxiliaryObject(L"AUX"), auxiliary, 18);
    }
    HRESULT STDMETHODCALLTYPE GetDocumentCount(ULONG* count) override {
        if (!count) {
            return E_POINTER;
        }
        *count = static_cast<ULONG>(Engine::get().documents().size());
        journal(callText(name(), 20) + L" -> " + std::to_wstring(*count));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetExtension(BSTR extension, IUnknown** out) override {
        if (!out) {
            record(28, extension);
            return E_POINTER;
        }
        *out = nullptr;
        std::wstring wanted = text(extension);
        if (wanted == L"PXC") {
            *out = static_cast<IPdfCoreExtension*>(new CoreExtensionObject());
        } else if (wanted == L"UIX") {
            *out = static_cast<IPdfUiExtension*>(new UiExtensionObject());
        }
        recordGives(*out, 28, extension);
        return *out ? S_OK : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE GetEventId(BSTR event, LONG reserved, LONG* eventId) override {
        if (!eventId) {
            record(45, event, reserved);
            return E_POINTER;
        }
        if (!isControlEvent(text(event))) {
            return refused(E_INVALIDARG, L"no such event", 45, event, reserved);
        }
        *eventId = Engine::get().eventId(event);
        journal(callText(name(), 45, event, reserved) + L" -> " + std::to_wstring(*eventId));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Shutdown(IPdfHistory* docHistory, IPdfHistory* thumbHistory, LONG reserved) override {
        record(84, static_cast<IUnknown*>(docHistory), static_cast<IUnknown*>(thumbHistory), reserved);
        Engine::get().shutdown(HistoryObject::pathOf(docHistory), HistoryObject::pathOf(thumbHistory));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RunCommand(BSTR command, LONG reserved) override {
        std::wstring wanted = text(command);
        if (wanted != kCommandEditContentAll && wanted != kCommandBrowseForOpen) {
            return refused(E_INVALIDARG, L"no such command", 92, command, reserved);
        }
        record(92, command, reserved);
        if (wanted == kCommandEditContentAll) {
            Engine& engine = Engine::get();
            engine.tool = L"editContent.all";
            engine.changed();
        } else {
            browseForOpen();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetOption(LONG option, LONG value) override {
        record(95, option, value);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSettings(IPdfSettings** settings) override {
        return handOut(new SettingsNode(L"S", Engine::get().settings), settings, 106);
    }
    HRESULT STDMETHODCALLTYPE SetUiMode(LONG mode) override {
        record(169, mode);
        return S_OK;
    }
};

class EventObject final : public ModelObject<IDispatch> {
  public:
    explicit EventObject(const std::wstring& event) : ModelObject(L"event:" + event) {}
};

}  // namespace

class SaveEventObject final : public ModelObject<IPdfSaveEvent> {
  public:
    SaveEventObject() : ModelObject(L"event:e.document.performSave") {}
    HRESULT STDMETHODCALLTYPE SetProceed(LONG proceed) override {
        if (!open_) {
            return refused(E_UNEXPECTED, L"the save has already gone on or stopped", 14, proceed);
        }
        record(14, proceed);
        stopped_ = proceed == 0;
        return S_OK;
    }
    bool finish() {
        open_ = false;
        return stopped_;
    }

  private:
    bool open_ = true;
    bool stopped_ = false;
};

HRESULT refuseFillerCall(IUnknown* object, int position) {
    refuse(argText(object) + L"." + std::to_wstring(position) + L"()", L"not implemented");
    return E_NOTIMPL;
}

IPdfInstance* makeInstance() {
    return new InstanceObject();
}

IDispatch* makeEventObject(const std::wstring& name) {
    return new EventObject(name);
}

SaveEventObject* makeSaveEvent() {
    return new SaveEventObject();
}

IDispatch* asDispatch(SaveEventObject* event) {
    return event;
}

bool finishSaveEvent(SaveEventObject* event) {
    return event->finish();
}

void releaseSaveEvent(SaveEventObject* event) {
    event->Release();
}

}  // namespace pdfc
