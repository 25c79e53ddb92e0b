#include "PdfControlSetup.h"

#include "StandardComPtrs.h"

namespace PXV {
namespace {

// The ribbon's tabs, command bar and panels.
void adjustRibbon(IPdfRibbon* ribbon, IPdfTabs* tabs, const int (&ribbonTabVisible)[10]) {
    IPdfTabPtr tab4;
    tabs->GetItem(4, &tab4);
    IPdfGroupPtr group;
    tab4->GetGroup(3, &group);
    IPdfGroupItemPtr item;
    group->GetItem(1, &item);
    item->SetState(2, 1);

    for (LONG i = 0; i < 10; ++i) {
        if (ribbonTabVisible[i] == 0) {
            IPdfTabPtr hidden;
            tabs->GetItem(i, &hidden);
            hidden->SetHidden(1);
        }
    }

    IPdfCommandBarPtr bar;
    ribbon->GetCommandBar(&bar);
    for (int i = 0; i < 5; ++i) {
        bar->SetStyle(18);
    }
    IPdfCommandBarPtr child;
    bar->GetChild(5, &child);
    IPdfCommandBarPtr grandChild;
    child->GetChild(7, &grandChild);
    grandChild->SetStyle(3);

    IPdfPanelSetPtr panels;
    ribbon->GetPanels(&panels);
    IPdfPanelPtr panel;
    panels->GetPanel(0, &panel);
    IPdfSectionPtr section4;
    panel->GetSection(4, &section4);
    IPdfSectionPtr section3;
    panel->GetSection(3, &section3);
    IPdfStylePtr style4;
    section4->GetStyle(&style4);
    IPdfStylePtr style3;
    section3->GetStyle(&style3);
    style4->SetValue(3);
    style3->SetValue(2);
}

void addColourEntry(IPdfSettings* colours, const wchar_t* id) {
    IPdfSettingsPtr entry;
    colours->AddEntry(0, &entry);
    entry->SetText(_bstr_t(L"ID"), _bstr_t(id));
    entry->SetText(_bstr_t(L"Value"), _bstr_t(L"rgbd(190,190,190)"));
}

void applySettings(IPdfInstance* instance) {
    IPdfSettingsPtr settings;
    instance->GetSettings(&settings);
    settings->SetFlag(_bstr_t(L"Docs.SingleWnd"), 0);
    settings->SetText(_bstr_t(L"General.AppTitle"), _bstr_t(L"BravikPDF编辑器"));
    _variant_t customUi(L"CustomUI");
    IPdfSettingsPtr customUiNode;
    settings->GetNode(customUi, &customUiNode);
    _variant_t coloursName(L"Colors");
    IPdfSettingsPtr colours;
    customUiNode->GetNode(coloursName, &colours);
    addColourEntry(colours, L"Hot");
    addColourEntry(colours, L"selection");
}

void setFullExtent(IPdfPane* pane) {
    IPdfLayoutPtr layout;
    pane->GetLayout(&layout);
    IPdfMetricsPtr metrics;
    layout->GetMetrics(&metrics);
    metrics->SetExtent(1024, 0, 1024, 0);
}

}  // namespace

RibbonChain ribbonChain(IPdfInstance* instance) {
    if (!instance) {
        _com_issue_error(E_POINTER);
    }
    RibbonChain chain;
    instance->GetFrame(&chain.frame);
    chain.frame->GetRibbon(&chain.ribbon);
    chain.ribbon->GetTabs(&chain.tabs);
    return chain;
}

void configurePdfControl(PdfEditControl& control, const int (&ribbonTabVisible)[10]) {
    control.setInitFlag(1);
    control.subscribeEvents();

    IPdfInstancePtr instance = control.takeInstance();
    instance->SetUiMode(1);
    const RibbonChain ui = ribbonChain(instance);
    const IPdfFramePtr& frame = ui.frame;
    const IPdfRibbonPtr& ribbon = ui.ribbon;
    adjustRibbon(ribbon, ui.tabs, ribbonTabVisible);

    applySettings(instance);
    instance->SetOption(9, 0);
    instance->SetOption(18, 0);

    IPdfPanePtr framePane;
    frame->GetPane(&framePane);
    setFullExtent(framePane);
    IPdfDocumentAreaPtr area;
    frame->GetDocumentArea(&area);
    IPdfPanePtr areaPane;
    area->GetPane(&areaPane);
    setFullExtent(areaPane);

    IUnknownPtr extension;
    instance->GetExtension(_bstr_t(L"UIX"), &extension);
    // A refused query leaves no object; the call through it then raises E_POINTER.
    IPdfUiExtensionPtr uix(extension);
    IPdfViewSetPtr views;
    uix->GetViews(&views);
    IPdfBarPtr bar;
    ribbon->GetBar(&bar);
    views->AttachBar(bar, 1, 0);
}

}  // namespace PXV
