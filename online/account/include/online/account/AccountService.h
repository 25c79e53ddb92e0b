#pragma once

#include <soui/SString.h>

// The account service's HTTPS base address ("https://<host>/", fixed when the program is built:
// BRAVIK_ACCOUNT_BASE_URL); request paths are appended to it without a leading "/".
extern const SOUI::SStringA g_accountBaseUrl;

// The key every request is signed with; it takes part in the signature only and is never sent.
extern const SOUI::SStringA g_signingKey;
