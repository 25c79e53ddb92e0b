#pragma once

#include <soui/SString.h>

// The one-time text of a request: 32 characters from A-Z, a-z and 0-9, drawn from the system's
// cryptographic generator, so no two requests share one. Empty only when the generator fails; the
// service then refuses the request and nothing changes.
SOUI::SStringA makeNonce();
