#pragma once

#include <soui/SString.h>

class CAppState;

// Applies one switch of the start-up information to the state; the key is already lower-cased,
// key and value are free of blanks. Unknown keys are ignored. The "qq" value is stored
// lower-cased. A "kfurl" value replaces the customer-service address, in its own case (addresses
// may be case-sensitive), only when it is a web address: the address is opened through the shell.
void applySwitch(CAppState& state, const SOUI::SStringW& key, const SOUI::SStringW& value);

// Strips blanks and applies every item of the switch text, keys lower-cased; a later item wins.
void applySwitchText(CAppState& state, SOUI::SStringW text);
