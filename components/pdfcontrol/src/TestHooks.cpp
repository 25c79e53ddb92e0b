#include "pdfcontrol/TestHooks.h"

#include <cwchar>

#include "Control.h"
#include "Engine.h"
#include "Journal.h"
#include "Model.h"

extern "C" {

__declspec(dllexport) int WINAPI PdfcJournalRead(wchar_t* buffer, int capacity) {
    std::wstring text = pdfc::journalText();
    int length = static_cast<int>(text.size());
    if (buffer && capacity > length) {
        wmemcpy(buffer, text.c_str(), text.size() + 1);
    }
    return length;
}

__declspec(dllexport) void WINAPI PdfcJournalClear() {
    pdfc::clearJournal();
}

__declspec(dllexport) int WINAPI PdfcRefusalCount() {
    return pdfc::refusalCount();
}

__declspec(dllexport) int WINAPI PdfcFireEvent(const wchar_t* name) {
    pdfc::Control* control = pdfc::Engine::get().control();
    if (!control || !name) {
        return -1;
    }
    IDispatch* event = pdfc::makeEventObject(name);
    bool fired = control->fire(name, event);
    event->Release();
    return fired ? 1 : 0;
}

__declspec(dllexport) int WINAPI PdfcPerformSave() {
    pdfc::Control* control = pdfc::Engine::get().control();
    return control ? control->performSave() : -1;
}

__declspec(dllexport) void WINAPI PdfcSetTabCount(ULONG count) {
    pdfc::Engine& engine = pdfc::Engine::get();
    engine.tabCount = count;
    engine.tabHidden.resize(count, false);
    engine.changed();
}

__declspec(dllexport) int WINAPI PdfcMarkModified() {
    return pdfc::Engine::get().markActiveModified() ? 1 : -1;
}

__declspec(dllexport) int WINAPI PdfcCloseDocument() {
    return pdfc::closeOutcomeCode(pdfc::Engine::get().closeDocument(-1));
}

__declspec(dllexport) void WINAPI PdfcFailNextCloseChain() {
    pdfc::Engine::get().failNextCloseChain = true;
}

}  // extern "C"
