#pragma once

#include <soui/SString.h>

// The account service's requests, signed with the machine code, the version information and a
// nonce. They run synchronously on the calling (UI) thread, write their results into g_appState,
// report nothing and retry nothing: a failed or unexpected reply leaves the state as it was.

// Start-up information: the update flag and the server switches; then getUserData. Always 0.
int doLoadInfo();

// The stored user's profile: 1 when the service says that user is signed in (name, sign-in method
// and the known-ids list are then updated), else 0. No request when no user id is stored.
int getUserData();

// The signed address of the sign-in page; no request is made.
SOUI::SStringW buildLoginUrl();

// The same against another base address ("https://<host>/"), for tests against a local service.
int doLoadInfoAt(const SOUI::SStringA& baseUrl);
int getUserDataAt(const SOUI::SStringA& baseUrl);
SOUI::SStringW buildLoginUrlAt(const SOUI::SStringA& baseUrl);

// Marks the user signed in and stores an empty user id in the settings; returns 1. Not called.
int markLoggedIn();

// An empty text, whatever it is given. Not called.
SOUI::SStringW emptyWideText(const SOUI::SStringW& text);
