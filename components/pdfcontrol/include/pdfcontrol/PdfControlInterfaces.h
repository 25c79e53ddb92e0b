// The PDF editing control's published COM interface: class and interface identifiers, the
// control's dispatch identifiers, the names of its events and commands, and the engine's object
// model with every function at its exact position in the function table.
//
// The control module publishes it; its callers include it from here, so both sides agree on
// positions by construction; tests check every named position.
//
// Rules for every interface here:
// - Positions count the function table from 0: IUnknown takes 0-2, IDispatch 3-6.
// - Every function is __stdcall and returns an HRESULT; scalars are 4-byte words.
// - Texts are zero-terminated wide texts passed as real BSTRs (callers allocate them, e.g. _bstr_t);
//   the callee only reads them for the length of the call.
// - An out object comes last; the callee hands over a new reference, or null on failure.
// - The one VARIANT parameter (IPdfSettings::GetNode) is passed by value, 16 bytes on the stack, as
//   automation passes an [in] VARIANT: the caller keeps ownership and clears it after the call; the
//   callee reads it and copies what it keeps.
// - Positions a caller is given no function for are fillers (see below); a caller never calls them.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <oaidl.h>

// Fillers for the positions a caller is given no function for, so that every named function sits
// at its exact position. The count is in the macro name; a filler's name is the position it starts
// at, so the next named function sits at start + count. For callers the fillers are pure; the
// module that implements the interfaces defines PDFC_FILLER_BODY(position) before including this
// header to give them a body.
#ifndef PDFC_FILLER_BODY
#define PDFC_FILLER_BODY(position) = 0;
#endif
#define PDFC_GAP1_(name, position) virtual HRESULT STDMETHODCALLTYPE unused_##name() PDFC_FILLER_BODY(position)
#define PDFC_GAP2_(name, position) PDFC_GAP1_(name##_a, position) PDFC_GAP1_(name##_b, (position) + 1)
#define PDFC_GAP4_(name, position) PDFC_GAP2_(name##_a, position) PDFC_GAP2_(name##_b, (position) + 2)
#define PDFC_GAP8_(name, position) PDFC_GAP4_(name##_a, position) PDFC_GAP4_(name##_b, (position) + 4)
#define PDFC_GAP16_(name, position) PDFC_GAP8_(name##_a, position) PDFC_GAP8_(name##_b, (position) + 8)
#define PDFC_GAP32_(name, position) PDFC_GAP16_(name##_a, position) PDFC_GAP16_(name##_b, (position) + 16)
#define PDFC_GAP1(at) PDFC_GAP1_(at, at)
#define PDFC_GAP2(at) PDFC_GAP2_(at, at)
#define PDFC_GAP4(at) PDFC_GAP4_(at, at)
#define PDFC_GAP8(at) PDFC_GAP8_(at, at)
#define PDFC_GAP16(at) PDFC_GAP16_(at, at)
#define PDFC_GAP32(at) PDFC_GAP32_(at, at)

namespace pdfc {

// Classes: the windowed control, and the engine, creatable only once the module is registered.
inline constexpr CLSID kControlClsid = {0xA1149909, 0x4EDC, 0x4421, {0xB9, 0xE5, 0xE9, 0x3C, 0x25, 0xA0, 0x00, 0xA1}};
inline constexpr CLSID kEngineClsid = {0x973BF60B, 0x4CC6, 0x4BE0, {0xB4, 0x08, 0x3D, 0x80, 0xE0, 0x7F, 0xC2, 0xE6}};

// The control's default dispatch interface and its default source (event) interface.
inline constexpr IID kControlDispatchIid = {0x9E5923C4,
                                            0x520C,
                                            0x4A81,
                                            {0xB9, 0x87, 0xF3, 0x40, 0x34, 0x07, 0x33, 0x80}};
inline constexpr IID kControlEventsIid = {0x8BB5F612, 0x7A15, 0x47FB, {0xA9, 0x31, 0xCE, 0x3D, 0xE0, 0x43, 0x16, 0x61}};

// Dispatch identifiers of the control.
inline constexpr DISPID kDispInitFlag = 101;             // property put, VT_UI4 (always 1)
inline constexpr DISPID kDispInstance = 106;             // property get, VT_DISPATCH: the instance object
inline constexpr DISPID kDispShowView = 0x6002000F;      // method (VT_BSTR view, VT_BOOL, VT_BOOL)
inline constexpr DISPID kDispDocumentOpen = 0x60020014;  // property get, VT_BOOL: a document is open
inline constexpr DISPID kDispOpenDocument = 0x60020015;  // method (VT_BSTR path, VT_DISPATCH null)
inline constexpr DISPID kDispEnableEvent = 0x60020039;   // method (VT_I4 event ID, VT_BOOL enable)

// The one event of the source interface: (VT_I4 event ID, VT_DISPATCH event object, VT_UNKNOWN source).
inline constexpr DISPID kDispOnEvent = 1;

// The control's events, by the names the instance object's position 45 turns into event IDs.
inline constexpr wchar_t kEventDocumentViewBeforeClose[] = L"e.documentView.beforeClose";
inline constexpr wchar_t kEventDocumentAskForSaveDest[] = L"e.document.askForSaveDest";
inline constexpr wchar_t kEventDocumentViewClosed[] = L"e.documentView.closed";
inline constexpr wchar_t kEventMainViewClosed[] = L"e.mainView.closed";
inline constexpr wchar_t kEventMainFrameClosed[] = L"e.mainFrame.closed";
inline constexpr wchar_t kEventDocumentAfterSave[] = L"e.document.afterSave";
inline constexpr wchar_t kEventDocumentPerformSave[] = L"e.document.performSave";
inline constexpr wchar_t kEventDocumentViewActivated[] = L"e.documentView.activated";
inline constexpr wchar_t kEventDocumentClosed[] = L"e.document.closed";
inline constexpr wchar_t kEventOperExecuted[] = L"e.operExecuted";
inline constexpr wchar_t kEventDocumentBeforeClose[] = L"e.document.beforeClose";
inline constexpr wchar_t kEventDocumentToolActivated[] = L"e.document.toolActivated";
inline constexpr wchar_t kEventTextEditorStarted[] = L"e.document.textEditor.started";
inline constexpr wchar_t kEventTextEditorSelChanged[] = L"e.document.textEditor.selChanged";
inline constexpr wchar_t kEventDocumentSourceChanged[] = L"e.document.sourceChanged";

// The commands the instance object's position 92 runs.
inline constexpr wchar_t kCommandEditContentAll[] = L"cmd.tool.editContent.all";  // the content-editing tool
inline constexpr wchar_t kCommandBrowseForOpen[] = L"cmd.browseForOpen";          // asks the user for a PDF to open

}  // namespace pdfc

struct IPdfHistory;
struct IPdfFrame;
struct IPdfPane;
struct IPdfLayout;
struct IPdfMetrics;
struct IPdfDocumentArea;
struct IPdfViewSet;
struct IPdfBar;
struct IPdfRibbon;
struct IPdfTabs;
struct IPdfTab;
struct IPdfGroup;
struct IPdfGroupItem;
struct IPdfCommandBar;
struct IPdfPanelSet;
struct IPdfPanel;
struct IPdfSection;
struct IPdfStyle;
struct IPdfAuxiliary;
struct IPdfSettings;

// A history file opened by path (instance position 8); handed back to Initialize and Shutdown.
struct IPdfHistory : public IDispatch {};

// The instance object: the engine object, and what the control's property 106 gives.
struct IPdfInstance : public IDispatch {
    PDFC_GAP1(7)
    virtual HRESULT STDMETHODCALLTYPE OpenHistory(BSTR path, IPdfHistory** history) = 0;  // 8
    virtual HRESULT STDMETHODCALLTYPE Initialize(LONG reserved1,
                                                 LONG reserved2,
                                                 LONG reserved3,
                                                 IPdfHistory* docHistory,
                                                 IPdfHistory* thumbHistory,
                                                 LONG reserved4,
                                                 LONG reserved5) = 0;  // 9
    PDFC_GAP1(10)
    virtual HRESULT STDMETHODCALLTYPE PrepareExit(LONG flags) = 0;  // 11
    PDFC_GAP4(12)
    PDFC_GAP1(16)
    virtual HRESULT STDMETHODCALLTYPE GetFrame(IPdfFrame** frame) = 0;              // 17
    virtual HRESULT STDMETHODCALLTYPE GetAuxiliary(IPdfAuxiliary** auxiliary) = 0;  // 18
    PDFC_GAP1(19)
    virtual HRESULT STDMETHODCALLTYPE GetDocumentCount(ULONG* count) = 0;  // 20
    PDFC_GAP4(21)
    PDFC_GAP2(25)
    PDFC_GAP1(27)
    virtual HRESULT STDMETHODCALLTYPE GetExtension(BSTR name, IUnknown** extension) = 0;  // 28
    PDFC_GAP16(29)
    virtual HRESULT STDMETHODCALLTYPE GetEventId(BSTR name, LONG reserved, LONG* eventId) = 0;  // 45
    PDFC_GAP32(46)
    PDFC_GAP4(78)
    PDFC_GAP2(82)
    virtual HRESULT STDMETHODCALLTYPE Shutdown(IPdfHistory* docHistory,
                                               IPdfHistory* thumbHistory,
                                               LONG reserved) = 0;  // 84
    PDFC_GAP4(85)
    PDFC_GAP2(89)
    PDFC_GAP1(91)
    virtual HRESULT STDMETHODCALLTYPE RunCommand(BSTR command, LONG reserved) = 0;  // 92
    PDFC_GAP2(93)
    virtual HRESULT STDMETHODCALLTYPE SetOption(LONG option, LONG value) = 0;  // 95
    PDFC_GAP8(96)
    PDFC_GAP2(104)
    virtual HRESULT STDMETHODCALLTYPE GetSettings(IPdfSettings** settings) = 0;  // 106
    PDFC_GAP32(107)
    PDFC_GAP16(139)
    PDFC_GAP8(155)
    PDFC_GAP4(163)
    PDFC_GAP2(167)
    virtual HRESULT STDMETHODCALLTYPE SetUiMode(LONG mode) = 0;  // 169
};

// A (instance position 17): the frame of the control's user interface.
struct IPdfFrame : public IDispatch {
    PDFC_GAP4(7)
    PDFC_GAP2(11)
    PDFC_GAP1(13)
    virtual HRESULT STDMETHODCALLTYPE GetPane(IPdfPane** pane) = 0;        // 14: Q1
    virtual HRESULT STDMETHODCALLTYPE GetRibbon(IPdfRibbon** ribbon) = 0;  // 15: B
    PDFC_GAP8(16)
    PDFC_GAP2(24)
    virtual HRESULT STDMETHODCALLTYPE GetDocumentArea(IPdfDocumentArea** area) = 0;  // 26: T
};

// Q1 (frame position 14) and T2 (document area position 14).
struct IPdfPane : public IDispatch {
    PDFC_GAP4(7)
    virtual HRESULT STDMETHODCALLTYPE GetLayout(IPdfLayout** layout) = 0;  // 11: Q2
};

// Q2.
struct IPdfLayout : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE GetMetrics(IPdfMetrics** metrics) = 0;  // 7: Q3
};

// Q3.
struct IPdfMetrics : public IDispatch {
    PDFC_GAP8(7)
    PDFC_GAP2(15)
    virtual HRESULT STDMETHODCALLTYPE SetExtent(LONG width, LONG widthFlags, LONG height,
                                                LONG heightFlags) = 0;  // 17
};

// T (frame position 26): where the documents are shown.
struct IPdfDocumentArea : public IDispatch {
    PDFC_GAP4(7)
    PDFC_GAP2(11)
    PDFC_GAP1(13)
    virtual HRESULT STDMETHODCALLTYPE GetPane(IPdfPane** pane) = 0;  // 14: T2
    PDFC_GAP8(15)
    PDFC_GAP2(23)
    virtual HRESULT STDMETHODCALLTYPE GetViews(IPdfViewSet** views) = 0;  // 25: V
};

// V (document area position 25, "UIX" position 70): the document views.
struct IPdfViewSet : public IDispatch {
    PDFC_GAP16(7)
    PDFC_GAP2(23)
    PDFC_GAP1(25)
    // -1 closes the active document; 0 and up the document at that index. "e.document.closed"
    // follows once the document is gone.
    virtual HRESULT STDMETHODCALLTYPE CloseDocument(LONG which) = 0;  // 26
    PDFC_GAP16(27)
    virtual HRESULT STDMETHODCALLTYPE AttachBar(IPdfBar* bar, LONG flags1, LONG flags2) = 0;  // 43
};

// W (ribbon position 7).
struct IPdfBar : public IDispatch {};

// B (frame position 15).
struct IPdfRibbon : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE GetBar(IPdfBar** bar) = 0;  // 7: W
    PDFC_GAP16(8)
    PDFC_GAP8(24)
    PDFC_GAP2(32)
    virtual HRESULT STDMETHODCALLTYPE GetTabs(IPdfTabs** tabs) = 0;          // 34: Y
    virtual HRESULT STDMETHODCALLTYPE GetPanels(IPdfPanelSet** panels) = 0;  // 35: K
    PDFC_GAP4(36)
    PDFC_GAP2(40)
    virtual HRESULT STDMETHODCALLTYPE GetCommandBar(IPdfCommandBar** bar) = 0;  // 42: H
};

// Y (ribbon position 34): the ribbon tabs; items 0 to 9 are the tabs of the start-up switches.
struct IPdfTabs : public IDispatch {
    PDFC_GAP4(7)
    PDFC_GAP1(11)
    virtual HRESULT STDMETHODCALLTYPE GetItem(LONG index, IPdfTab** tab) = 0;  // 12: D, G
    virtual HRESULT STDMETHODCALLTYPE GetCount(ULONG* count) = 0;              // 13
    PDFC_GAP1(14)
    virtual HRESULT STDMETHODCALLTYPE RefreshItem(LONG index) = 0;  // 15
};

// D, G (tabs position 12).
struct IPdfTab : public IDispatch {
    PDFC_GAP1(7)
    virtual HRESULT STDMETHODCALLTYPE GetGroup(LONG index, IPdfGroup** group) = 0;  // 8: E
    PDFC_GAP8(9)
    PDFC_GAP1(17)
    virtual HRESULT STDMETHODCALLTYPE SetHidden(LONG hidden) = 0;  // 18
};

// E (tab position 8).
struct IPdfGroup : public IDispatch {
    PDFC_GAP4(7)
    PDFC_GAP1(11)
    virtual HRESULT STDMETHODCALLTYPE GetItem(LONG index, IPdfGroupItem** item) = 0;  // 12: F
};

// F (group position 12).
struct IPdfGroupItem : public IDispatch {
    PDFC_GAP16(7)
    PDFC_GAP2(23)
    virtual HRESULT STDMETHODCALLTYPE SetState(LONG state, LONG flags) = 0;  // 25
};

// H (ribbon position 42), I and J (position 8 of the one before).
struct IPdfCommandBar : public IDispatch {
    PDFC_GAP1(7)
    virtual HRESULT STDMETHODCALLTYPE GetChild(LONG index, IPdfCommandBar** child) = 0;  // 8
    PDFC_GAP8(9)
    PDFC_GAP2(17)
    PDFC_GAP1(19)
    virtual HRESULT STDMETHODCALLTYPE SetStyle(LONG style) = 0;  // 20
};

// K (ribbon position 35).
struct IPdfPanelSet : public IDispatch {
    PDFC_GAP4(7)
    PDFC_GAP1(11)
    virtual HRESULT STDMETHODCALLTYPE GetPanel(LONG index, IPdfPanel** panel) = 0;  // 12: L
};

// L (panel set position 12).
struct IPdfPanel : public IDispatch {
    PDFC_GAP1(7)
    virtual HRESULT STDMETHODCALLTYPE GetSection(LONG index, IPdfSection** section) = 0;  // 8: M, N
};

// M, N (panel position 8).
struct IPdfSection : public IDispatch {
    PDFC_GAP8(7)
    virtual HRESULT STDMETHODCALLTYPE GetStyle(IPdfStyle** style) = 0;  // 15: O, P
};

// O, P (section position 15).
struct IPdfStyle : public IDispatch {
    PDFC_GAP8(7)
    PDFC_GAP4(15)
    PDFC_GAP1(19)
    virtual HRESULT STDMETHODCALLTYPE SetValue(LONG value) = 0;  // 20
};

// What instance position 18 gives. Position 9 gives a value object (null out pointer allowed: then
// nothing is given); position 65 takes eight values, objects and plain values in this order. An
// auxiliary object can also be the source of those eight: positions 15 to 28 give them, each named
// after the argument of Apply it feeds.
struct IPdfAuxiliary : public IDispatch {
    PDFC_GAP2(7)
    virtual HRESULT STDMETHODCALLTYPE GetValueObject(IDispatch** value) = 0;  // 9
    PDFC_GAP2(10)
    PDFC_GAP1(12)
    virtual HRESULT STDMETHODCALLTYPE GetItem(IPdfAuxiliary** item) = 0;  // 13
    PDFC_GAP1(14)
    virtual HRESULT STDMETHODCALLTYPE GetApplyValue2(LONG* value) = 0;  // 15
    PDFC_GAP1(16)
    virtual HRESULT STDMETHODCALLTYPE GetApplyObject1(IDispatch** object) = 0;  // 17
    PDFC_GAP1(18)
    virtual HRESULT STDMETHODCALLTYPE GetApplyObject6(IDispatch** object) = 0;  // 19
    PDFC_GAP1(20)
    virtual HRESULT STDMETHODCALLTYPE GetApplyObject4(IDispatch** object) = 0;  // 21
    PDFC_GAP1(22)
    virtual HRESULT STDMETHODCALLTYPE GetApplyObject5(IDispatch** object) = 0;  // 23
    PDFC_GAP1(24)
    virtual HRESULT STDMETHODCALLTYPE GetApplyObject3(IDispatch** object) = 0;  // 25
    PDFC_GAP1(26)
    virtual HRESULT STDMETHODCALLTYPE GetApplyObject7(IDispatch** object) = 0;  // 27
    virtual HRESULT STDMETHODCALLTYPE GetApplyValue8(LONG* value) = 0;          // 28
    PDFC_GAP32(29)
    PDFC_GAP4(61)
    virtual HRESULT STDMETHODCALLTYPE Apply(IDispatch* v1,
                                            LONG v2,
                                            IDispatch* v3,
                                            IDispatch* v4,
                                            IDispatch* v5,
                                            IDispatch* v6,
                                            IDispatch* v7,
                                            LONG v8) = 0;  // 65
};

// A settings node (instance position 106 gives the root S); children and list entries are nodes too.
struct IPdfSettings : public IDispatch {
    PDFC_GAP16(7)
    PDFC_GAP8(23)
    PDFC_GAP2(31)
    virtual HRESULT STDMETHODCALLTYPE SetFlag(BSTR path, LONG value) = 0;  // 33
    PDFC_GAP2(34)
    PDFC_GAP1(36)
    virtual HRESULT STDMETHODCALLTYPE SetText(BSTR name, BSTR text) = 0;  // 37
    PDFC_GAP2(38)
    PDFC_GAP1(40)
    // name: VT_BSTR, by value (see the rules at the top).
    virtual HRESULT STDMETHODCALLTYPE GetNode(VARIANT name, IPdfSettings** node) = 0;  // 41
    PDFC_GAP4(42)
    virtual HRESULT STDMETHODCALLTYPE AddEntry(LONG reserved, IPdfSettings** entry) = 0;  // 46
};

// The extension named "PXC" (instance position 28).
struct IPdfCoreExtension : public IDispatch {};

// The extension named "UIX" (instance position 28).
struct IPdfUiExtension : public IDispatch {
    PDFC_GAP32(7)
    PDFC_GAP16(39)
    PDFC_GAP8(55)
    PDFC_GAP4(63)
    PDFC_GAP2(67)
    PDFC_GAP1(69)
    virtual HRESULT STDMETHODCALLTYPE GetViews(IPdfViewSet** views) = 0;  // 70: V
};

// The event object of "e.document.performSave": position 14 with 0, while the handler runs, stops
// the save; any other value lets it go on.
struct IPdfSaveEvent : public IDispatch {
    PDFC_GAP4(7)
    PDFC_GAP2(11)
    PDFC_GAP1(13)
    virtual HRESULT STDMETHODCALLTYPE SetProceed(LONG proceed) = 0;  // 14
};

// clang-format off
__CRT_UUID_DECL(IPdfInstance,      0xD726366D, 0x34D6, 0x49FC, 0xA3, 0x41, 0x7B, 0x84, 0xC5, 0x4C, 0xCA, 0x3E)
__CRT_UUID_DECL(IPdfCoreExtension, 0x06052A56, 0x664B, 0x4437, 0x8F, 0x8C, 0x9D, 0x69, 0x7D, 0x17, 0x20, 0xB8)
__CRT_UUID_DECL(IPdfUiExtension,   0xD5CABA2F, 0xB413, 0x4C6F, 0x94, 0xB6, 0x0B, 0x57, 0x3A, 0xFD, 0x07, 0xEB)
__CRT_UUID_DECL(IPdfSaveEvent,     0x5CC12C51, 0xE255, 0x427D, 0x83, 0x85, 0x10, 0x30, 0x4C, 0x88, 0x72, 0x56)
__CRT_UUID_DECL(IPdfHistory,       0x880A1B7E, 0x5D4B, 0x45B5, 0xAB, 0x1F, 0x9E, 0xF1, 0x92, 0x99, 0x4D, 0x10)
__CRT_UUID_DECL(IPdfFrame,         0x21C5280F, 0xBF48, 0x466C, 0xB5, 0xB5, 0xF9, 0xF3, 0xD4, 0xF1, 0xDA, 0x7B)
__CRT_UUID_DECL(IPdfPane,          0xA8C6CB84, 0xEE11, 0x41BE, 0xAC, 0x96, 0x54, 0xC9, 0xEA, 0xF2, 0x99, 0x28)
__CRT_UUID_DECL(IPdfLayout,        0xBBCD625A, 0x10AB, 0x49E9, 0xA8, 0xF1, 0xA5, 0x38, 0x56, 0x64, 0x61, 0x43)
__CRT_UUID_DECL(IPdfMetrics,       0x46EEA30C, 0xD507, 0x4B1A, 0x89, 0x51, 0x66, 0xE6, 0x8B, 0xAC, 0xDD, 0xC0)
__CRT_UUID_DECL(IPdfDocumentArea,  0x9ACD936A, 0x22CA, 0x4562, 0x83, 0x9C, 0x0F, 0xDA, 0x6E, 0xAF, 0xFB, 0x91)
__CRT_UUID_DECL(IPdfViewSet,       0x4B0D7FFC, 0x9C45, 0x4F1F, 0xAA, 0xE5, 0x33, 0x35, 0x95, 0x10, 0xDA, 0xB0)
__CRT_UUID_DECL(IPdfRibbon,        0xE47E63C1, 0x34BF, 0x4549, 0xA8, 0xC1, 0xF4, 0x24, 0x29, 0x9C, 0x33, 0xB2)
__CRT_UUID_DECL(IPdfBar,           0xA5E3299B, 0xED12, 0x4CFD, 0xBF, 0x64, 0xB9, 0x89, 0x3D, 0xB2, 0x9B, 0x1B)
__CRT_UUID_DECL(IPdfTabs,          0x12F655E4, 0x63A5, 0x4C64, 0x97, 0x47, 0x44, 0x81, 0x72, 0xBB, 0x18, 0xB0)
__CRT_UUID_DECL(IPdfTab,           0x112E7C14, 0xD95F, 0x4EAF, 0xB9, 0x0C, 0xDC, 0x4E, 0x75, 0x9A, 0x06, 0x06)
__CRT_UUID_DECL(IPdfGroup,         0xADD023B0, 0x8DAD, 0x4B7E, 0x85, 0x26, 0x2E, 0x69, 0x33, 0x37, 0x2B, 0xF3)
__CRT_UUID_DECL(IPdfGroupItem,     0x7EBA7575, 0x1D24, 0x496B, 0x9A, 0x90, 0xA5, 0xCB, 0x6A, 0x1A, 0x56, 0xDA)
__CRT_UUID_DECL(IPdfCommandBar,    0x8A4B8C92, 0x6711, 0x40E6, 0xA3, 0xC2, 0x8E, 0x9D, 0x2E, 0xD0, 0xCB, 0x63)
__CRT_UUID_DECL(IPdfPanelSet,      0x5682C6EC, 0x028C, 0x4CA8, 0xA2, 0x81, 0x56, 0xD8, 0x79, 0x3E, 0xE8, 0x50)
__CRT_UUID_DECL(IPdfPanel,         0x552BDC5D, 0xECE4, 0x4336, 0x90, 0x6F, 0xB5, 0xF7, 0x6F, 0x0E, 0x47, 0xFB)
__CRT_UUID_DECL(IPdfSection,       0x235DBF12, 0xD7A6, 0x4CFC, 0x9F, 0x52, 0xDB, 0xC9, 0xA0, 0xCD, 0xA9, 0x61)
__CRT_UUID_DECL(IPdfStyle,         0xB15467AA, 0x294F, 0x4E83, 0x96, 0x7A, 0xF3, 0x6A, 0x00, 0x0D, 0xDC, 0xAB)
__CRT_UUID_DECL(IPdfAuxiliary,     0xD315D0A1, 0x6DDD, 0x419E, 0x8C, 0xE6, 0x10, 0xAE, 0x1B, 0x7F, 0x53, 0xF2)
__CRT_UUID_DECL(IPdfSettings,      0x796C3657, 0xB4EB, 0x401B, 0xA0, 0x1E, 0xB2, 0x52, 0xBF, 0x3E, 0xF9, 0xC4)
// clang-format on
