#include "EntryPoint.h"

#include <ole2.h>

#include <soui/SApplication.h>

#include "CRealWndCreater.h"
#include "MainDlg.h"
#include "ModuleFailureReport.h"
#include "PdfControlAccess.h"
#include "ShellDialogs.h"
#include "ShellEnvironment.h"
#include "SingleInstance.h"
#include "UiStartup.h"
#include "Updater.h"
#include "classlib/ControlContainer.h"
#include "foundation/AppState.h"
#include "foundation/DataDir.h"
#include "online/crash/CrashLibraryLoad.h"
#include "webview/SWkeWebkit.h"
#include "webview/WkeEngine.h"

namespace {

// Offered when the account service reported a newer version; true when the user accepted and
// the updater was started. An updater that could not be started has been reported, and the
// program goes on to its main window.
bool offerUpdate() {
    if (g_appState.updateAvailable == 0) {
        return false;
    }
    if (runPrompt(kUpdateOfferAtStart, nullptr) != kPromptAccepted) {
        return false;
    }
    return startUpdater(SW_SHOWNORMAL, nullptr);
}

void shutDownWebEngine() {
    if (g_wkeApi.wkeShutdown) {
        g_wkeApi.wkeShutdown();
    }
}

// A second instance, and a first one without a main window: the application object, the loaded
// modules and OLE are left to the end of the process.
int shortCleanUp(CUiModuleLoader& loader, UiObjects& objects) {
    shutDownWebEngine();
    releaseUiObjects(objects);
    loader.keepLoaded();
    return 0;
}

// A module the program cannot run without is unusable: the user is told, and the process ends
// before any window is shown, taking down what it made so far (`app` may be null).
int endForMissingModule(const ModuleFailure& failure,
                        SOUI::SApplication* app,
                        CUiModuleLoader& loader,
                        UiObjects& objects) {
    reportModuleFailure(failure);
    delete app;
    releaseUiObjects(objects);
    loader.unloadModules();
    OleUninitialize();
    return kExitModuleMissing;
}

// A first instance without a main window: the elevated copy takes over, which is no failure; or
// the control's engine is still unavailable after its registration, and the user is told so
// instead of seeing an empty window.
int endWithoutMainWindow(CUiModuleLoader& loader, UiObjects& objects) {
    if (pdfEngineState() != PdfEngineState::unavailable) {
        return shortCleanUp(loader, objects);
    }
    runPrompt(kPdfControlUnavailable, nullptr);
    shortCleanUp(loader, objects);
    return kExitPdfControlUnavailable;
}

}  // namespace

int runEntryPoint(HINSTANCE instance, wchar_t* commandLine) {
    registerProcessCrashObserver();

    OleInitialize(nullptr);
    setCurrentDirToExeDir();  // modules, the updater and the converter are found beside the program

    CUiModuleLoader loader;
    UiObjects objects;
    if (const ModuleFailure failure = loadUiModules(loader, objects)) {
        return endForMissingModule(failure, nullptr, loader, objects);
    }
    SOUI::SObjectDefaultRegister defaultRegister;
    auto* app = new SOUI::SApplication(objects.renderFactory, instance, L"SOUIHOST", defaultRegister);
    loadSystemResources(*app);
    addOwnResources(*app, instance, objects);

    ModuleFailure engineFailure;
    if (!loadWebEngine(engineFailure)) {
        return endForMissingModule(engineFailure, app, loader, objects);
    }
    app->RegisterFactory(SOUI::TplSObjectFactory<SOUI::SWkeWebkit>(), FALSE);

    g_appState.loadAppStrings();
    shellEnvironment().doLoadInfo();
    const bool run = !offerUpdate();

    if (!claimFirstInstance()) {
        // A running instance that ended meanwhile leaves this process to go on as the first one.
        const HandOffResult handOff = handOverToRunningInstance(commandLine);
        if (handOff != HandOffResult::BecameFirstInstance) {
            shortCleanUp(loader, objects);
            return handOff == HandOffResult::HandedOver ? 0 : kExitHandOffFailed;
        }
    }

    CoInitialize(nullptr);
    AfxEnableControlContainer();
    auto* handler = new CRealWndCreater();
    app->SetRealWndHandler(handler);
    handler->Release();  // the application object holds the only reference

    SOUI::SStringW frameState = g_appState.readAppString(L"frameState");
    int exitCode = 0;
    if (run) {
        CMainDlg* main = getMainDlg();
        if (!main) {
            return endWithoutMainWindow(loader, objects);
        }
        markMainWindow(main->m_hWnd);
        main->ShowWindow(frameState == L"max" ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        if (g_appState.install == "2") {
            runGuideTour(main->m_hWnd);
        }
        main->openFileList(commandLine);
        exitCode = app->Run(main->m_hWnd);
    }

    delete app;
    frameState = SOUI::SStringW();
    shutDownWebEngine();
    releaseUiObjects(objects);
    loader.unloadModules();
    OleUninitialize();
    return exitCode;
}
