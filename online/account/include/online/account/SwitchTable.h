#pragma once

#include <soui/SString.h>

class CAppState;

// Applies one switch of the start-up information to the state; key and value are already
// lower-cased and free of blanks. Unknown keys are ignored. A "kfurl" value replaces the
// customer-service address only when it is a web address: the address is opened through the shell.
void applySwitch(CAppState& state, const SOUI::SStringW& key, const SOUI::SStringW& value);

// Lower-cases, strips blanks and applies every item of the switch text; a later item wins.
void applySwitchText(CAppState& state, SOUI::SStringW text);
