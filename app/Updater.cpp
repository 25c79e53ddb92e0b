#include "Updater.h"

#include <soui/SStrCpCvt.h>

#include "ShellDialogs.h"
#include "ShellEnvironment.h"
#include "WebPages.h"
#include "foundation/AppState.h"

bool startUpdater(int show, HWND noticeOwner) {
    SOUI::SStringA text;
    text.Format("%s %s", g_appState.prover.c_str(), g_appState.versionInformation.c_str());
    const SOUI::SStringW parameters = SOUI::SStrCpCvt::CvtA2W(text, CP_ACP);
    if (shellStarted(
            shellEnvironment().shellExecute(nullptr, L"open", kUpdaterProgram, parameters.c_str(), nullptr, show))) {
        return true;
    }
    runPrompt(kUpdaterNotStarted, noticeOwner);
    return false;
}
