#pragma once

// The engine's test hook, for tests in this or another process (see components/webengine/README.md).
//
// Every view owns a message-only window of class kTestHookClass. A request is a WM_COPYDATA to it
// with dwData kTestHookMagic, wParam the requester's reply window and lpData a zero-terminated
// UTF-16 line; the answer comes back to the reply window, before SendMessage returns, as a
// WM_COPYDATA with the same magic: one record of tab-separated key=value fields.
//
//   info                 host=0x00012345 url=... title=... loading=0|1 width=.. height=.. focus=0|1
//                        (sent for every request too, ahead of its own answer: first line)
//   element id=ID        found=1 tag=button x=.. y=.. w=.. h=.. text=...   (view coordinates)
//   element text=TEXT    the first link, button or field whose text or value is TEXT
//   text                 text=the page's visible text, lines joined by "\n" (escaped as \n)
//
// found=0 answers an element that is absent or not shown. Coordinates are those the view is
// given by wkeFireMouseEvent: add the view's place in its host window to click there.

namespace wkehook {

constexpr wchar_t kTestHookClass[] = L"wke.TestHook";
constexpr unsigned long kTestHookMagic = 0x574B4548;  // "WKEH"

}  // namespace wkehook
