#pragma once

// Pages of the product's web site and the customer-service chat, opened in the default browser.
// Fixed values of the program; the customer-service page itself comes from the application state.
inline constexpr wchar_t kReaderPage[] = L"https://www.example.com/pdfyuedu";
inline constexpr wchar_t kConverterPage[] = L"https://www.example.com/pdfzhuanhuan";
inline constexpr wchar_t kTutorialPage[] = L"https://www.example.com/pdfbianji/jiaocheng";
// Opens the instant-messaging client on a chat with the product's one support contact.
inline constexpr wchar_t kChatLink[] = L"imchat://message/?contact=800012345&site=www.example.com";

// The converter beside the program, relative to the current folder (the program's own).
inline constexpr wchar_t kConverterProgram[] = L"convert\\Transvera.exe";
// The updater beside the program.
inline constexpr wchar_t kUpdaterProgram[] = L"Updrell.exe";
