#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/ControlTestSupport.h"

// The shell's process as the program sets it up before its main window: OLE and COM, the UI
// library over this executable's resources with the named IDs, ActiveX containment, the real
// window handler, and the PDF control registered in the test prefix with its history files in a
// scratch folder. The account service and the browser are answered by the test (ShellAnswers).
namespace shelltest {

pdftest::ControlModule& controlModule();

// What the test answers in place of the account service; the shell's calls are counted.
struct ShellAnswers {
    int userDataResult = 0;
    int userDataCalls = 0;
    int loadInfoCalls = 0;
    std::wstring lastShellVerb;
    std::wstring lastShellFile;
    std::wstring lastShellParameters;
    int lastShellShow = -1;
    int shellCalls = 0;
    INT_PTR shellResult = 42;  // what the shell answers: above 32 started, else an error (2: no file)
    std::vector<std::wstring> journalAtLastShell;  // the control's journal when the shell was last called
    std::wstring lastMessageBox;
    void reset() { *this = ShellAnswers(); }
};
ShellAnswers& answers();

// A fresh empty folder, ending with a backslash.
std::wstring scratchFolder(const std::wstring& tag);

}  // namespace shelltest
