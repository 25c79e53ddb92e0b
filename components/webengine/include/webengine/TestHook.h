#pragma once

// The engine's test hook, for tests in this or another process (see components/webengine/README.md).
//
// Every view owns a message-only window of class kTestHookClass. A request is a WM_COPYDATA to it
// with dwData kTestHookMagic, wParam the requester's reply window and lpData a zero-terminated
// UTF-16 line; the answer comes back to the reply window, before SendMessage returns, as a
// WM_COPYDATA with the same magic: one record of tab-separated key=value fields. Every answer
// begins with the view's fields
//     host=0x00012345 url=... title=... loading=0|1 width=.. height=.. focus=0|1
// and goes on with those of the request:
//   info                 nothing more
//   element id=ID        found=1 tag=button x=.. y=.. w=.. h=.. text=...   (view coordinates)
//   element text=TEXT    the same for the first link, button or field whose text or value is TEXT
//   text                 text=the page's visible text, lines joined by "\n"
// found=0 answers an element that is absent or not shown. Tabs and line ends inside values are
// written as blanks and "\n". Coordinates are those the view takes in wkeFireMouseEvent: add the
// view's place in its host window to click there.

namespace wkehook {

constexpr wchar_t kTestHookClass[] = L"wke.TestHook";
constexpr unsigned long kTestHookMagic = 0x574B4548;  // "WKEH"

}  // namespace wkehook
