#pragma once

#include <windows.h>

// What the control module offers tests besides its COM classes.
//
// In the same process, through the module's exports (GetModuleHandleW(L"wke.dll"), GetProcAddress):
//   int  PdfcJournalRead(wchar_t* buffer, int capacity)  the journal, one "\n"-ended line per call or
//        event; returns its length in characters and copies it (terminated) when it fits
//   void PdfcJournalClear()
//   int  PdfcRefusalCount()  how many calls the control has refused since the module was loaded
//        (each journalled as "refused <call>: <reason>"); clearing the journal keeps the count
//   int  PdfcFireEvent(const wchar_t* name)  fires the named event from the control now, as the
//        user's action would: 1 delivered, 0 not enabled, -1 no control window
//   int  PdfcPerformSave()  saves the active document as Ctrl+S does: 1 saved, 0 stopped by the
//        "e.document.performSave" handler, -1 no document or no control window
//   void PdfcSetTabCount(ULONG count)  the number of items of the ribbon-tab collection
//   int  PdfcMarkModified()  gives the active document unsaved changes, as an edit does: 1 marked,
//        -1 no document. Closing such a document asks the user in a message box over the control
//        (yes saves, no drops the changes, cancel keeps the document open)
//   int  PdfcCloseDocument()  closes the active document as Ctrl+W does: 1 closed, 0 kept open by
//        the user, -1 no document
//   void PdfcFailNextCloseChain()  the next close chain fails: its T.25 (the document area's view
//        set) answers E_FAIL and gives no object, once; journalled as "T.25() failed (test hook)"
//
// From any process, by WM_COPYDATA sent to the control's window (class "PXVControl"):
//   dwData kCopyDataFireEvent with the UTF-16 event name: result as PdfcFireEvent
//   dwData kCopyDataPerformSave: result as PdfcPerformSave
//   dwData kCopyDataMarkModified: result as PdfcMarkModified
//   dwData kCopyDataCloseDocument: result as PdfcCloseDocument
// and the journal file named by the environment variable BRAVIK_PDFCONTROL_JOURNAL (UTF-8 lines).
// When the environment variable BRAVIK_PDFCONTROL_HOLD_OPEN names a document's path, opening that
// document holds the control's thread, taking no message, until the file of that path with
// ".release" appended exists (at most ten minutes); journalled as "holding <path>" and "held <path>".
namespace pdfc {

inline constexpr ULONG_PTR kCopyDataFireEvent = 0x50434601;
inline constexpr ULONG_PTR kCopyDataPerformSave = 0x50434602;
inline constexpr ULONG_PTR kCopyDataMarkModified = 0x50434603;
inline constexpr ULONG_PTR kCopyDataCloseDocument = 0x50434604;

using JournalReadFn = int(WINAPI*)(wchar_t* buffer, int capacity);
using JournalClearFn = void(WINAPI*)();
using RefusalCountFn = int(WINAPI*)();
using FireEventFn = int(WINAPI*)(const wchar_t* name);
using PerformSaveFn = int(WINAPI*)();
using SetTabCountFn = void(WINAPI*)(ULONG count);
using MarkModifiedFn = int(WINAPI*)();
using CloseDocumentFn = int(WINAPI*)();
using FailNextCloseChainFn = void(WINAPI*)();

}  // namespace pdfc
