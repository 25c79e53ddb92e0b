#pragma once

#include <windows.h>

// Shell, elevation and system-version helpers.

// A shortcut folder\linkName to target, working in the executable's folder. Needs COM on the
// calling thread; false without a folder or a target. The hot key is set when not 0, the
// description when not null.
bool createShortcut(const wchar_t* folder,
                    const wchar_t* linkName,
                    const wchar_t* target,
                    WORD hotKey,
                    const wchar_t* description);

// True when the process token lists the built-in Administrators group, whatever its attributes.
bool isUserAdmin();
// The same test over a token's group list as GetTokenInformation(TokenGroups) gives it.
bool groupsContainAdministrators(const TOKEN_GROUPS* groups, DWORD bytes);

// What relaunchAsAdmin asks of the shell; the program uses systemElevation().
class Elevation {
  public:
    virtual ~Elevation() = default;
    virtual bool isUserAnAdmin() const = 0;
    // ShellExecuteW(no owner, "runas", program, "", "", SW_SHOWNORMAL).
    virtual void runElevated(const wchar_t* program) const = 0;
};
const Elevation& systemElevation();

// Starts this executable again elevated unless it already has administrator rights; true when
// it asked for the restart.
bool relaunchAsAdmin();
bool relaunchAsAdmin(const Elevation& elevation);

// True unless the system is Windows Vista, 8, 8.1 or 10 (also when the version cannot be read).
bool isLegacyAssociationOs();
bool isLegacyAssociationVersion(DWORD major, DWORD minor);
