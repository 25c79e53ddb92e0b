#pragma once

#include <windows.h>

#include <soui/SString.h>

// File association, control registration and the stored document path. Each has a form over
// other root keys, so that tests can work below a scratch key.

// The program's association identifier.
extern const wchar_t kProgId[];

// Makes the program the handler of ".pdf" below classesRoot; on a system where the user's choice
// also counts (legacyOs), replaces that choice below currentUser and returns true.
bool associatePdfFiles();
bool associatePdfFiles(HKEY classesRoot, HKEY currentUser, bool legacyOs);

// True when the PDF editing control's class is registered.
bool isControlRegistered();
bool isControlRegistered(HKEY classesRoot);

// The key of the association identifier must exist already. The result is the open's error code
// when it does not, else the close's code (0 on success).
LONG saveDocPathToRegistry(const wchar_t* path);
LONG saveDocPathToRegistry(const wchar_t* path, HKEY classesRoot);
// The stored path (empty when there is none or it does not fit 260 characters) into buffer.
LONG loadDocPathFromRegistry(wchar_t (&buffer)[MAX_PATH]);
LONG loadDocPathFromRegistry(wchar_t (&buffer)[MAX_PATH], HKEY classesRoot);

// The control's module: the executable's path up to its last "\" (kept) followed by controlFile.
SOUI::SStringW controlModulePath(const SOUI::SStringW& exePath, const SOUI::SStringW& controlFile);
// regsvr32, two blanks, the quoted module path in the ANSI code page, one blank.
SOUI::SStringA regsvr32Command(const SOUI::SStringW& modulePath);
// That command for the module named by the UI string "@string/controlFile"; empty while no UI
// definition is loaded.
SOUI::SStringA controlRegistrationCommand();
// Starts the command without waiting for it; WinExec's result, or ERROR_FILE_NOT_FOUND (and
// nothing started) while no UI definition is loaded.
UINT registerControlDll();
