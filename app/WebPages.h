#pragma once

#include "res/SitePages.h"

// What the caption opens beside the web site's pages (res/SitePages.h); the customer-service page
// itself comes from the application state.
// Opens the instant-messaging client on a chat with the product's one support contact.
inline constexpr wchar_t kChatLink[] = L"imchat://message/?contact=800012345&site=www.example.com";

// The converter beside the program, relative to the current folder (the program's own).
inline constexpr wchar_t kConverterProgram[] = L"convert\\Transvera.exe";
// The updater beside the program.
inline constexpr wchar_t kUpdaterProgram[] = L"Updrell.exe";
