#include "PdfControlAccess.h"

#include <cstring>
#include <new>
#include <string>

#include "PdfHostEnvironment.h"
#include "foundation/FileHelpers.h"
#include "foundation/RegistryHelpers.h"

PXV::PdfEditControl* g_pdfControl = nullptr;

namespace {

PdfEngineState engineState = PdfEngineState::notTried;

std::wstring executablePath() {
    std::wstring path;
    getModuleFilePath(path);
    return path;
}

}  // namespace

bool createPdfEngine() {
    IPdfInstance* created = nullptr;
    CoCreateInstance(pdfc::kEngineClsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IPdfInstance),
                     reinterpret_cast<void**>(&created));
    if (!created) {
        return false;
    }
    IPdfInstancePtr engine(created, false);
    PXV::HistoryFiles history = PXV::openHistoryFiles(engine);
    engine->Initialize(0, 0, 0, history.documents, history.thumbnails, 0, 0);
    history.thumbnails = nullptr;
    history.documents = nullptr;
    engine = nullptr;
    return true;
}

PXV::PdfEditControl* getPdfControl() {
    if (g_pdfControl) {
        return g_pdfControl;
    }
    void* storage = ::operator new(sizeof(PXV::PdfEditControl));
    std::memset(storage, 0, sizeof(PXV::PdfEditControl));
    g_pdfControl = new (storage) PXV::PdfEditControl();
    if (createPdfEngine()) {
        engineState = PdfEngineState::created;
        return g_pdfControl;
    }
    PXV::PdfHostEnvironment& environment = PXV::pdfHostEnvironment();
    if (!environment.isUserAdmin()) {
        // The elevated copy starts without this process's command line.
        environment.shellStart(L"runas", executablePath().c_str(), L"", L"", SW_SHOWNORMAL);
        engineState = PdfEngineState::restartedElevated;
        return nullptr;
    }
    const SOUI::SStringA command =
        regsvr32Command(controlModulePath(executablePath().c_str(), environment.controlFile().c_str()));
    // Waits for the registration, so the second attempt below does not race it.
    environment.runAndWait(command.str(), SW_SHOW, PXV::kRegisterWaitMs);
    engineState = createPdfEngine() ? PdfEngineState::created : PdfEngineState::unavailable;
    return g_pdfControl;
}

PdfEngineState pdfEngineState() {
    return engineState;
}
