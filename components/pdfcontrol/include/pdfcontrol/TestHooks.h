#pragma once

#include <windows.h>

// What the control module offers tests besides its COM classes.
//
// In the same process, through the module's exports (GetModuleHandleW(L"wke.dll"), GetProcAddress):
//   int  PdfcJournalRead(wchar_t* buffer, int capacity)  the journal, one "\n"-ended line per call or
//        event; returns its length in characters and copies it (terminated) when it fits
//   void PdfcJournalClear()
//   int  PdfcFireEvent(const wchar_t* name)  fires the named event from the control now, as the
//        user's action would: 1 delivered, 0 not enabled, -1 no control window
//   int  PdfcPerformSave()  saves the active document as Ctrl+S does: 1 saved, 0 stopped by the
//        "e.document.performSave" handler, -1 no document or no control window
//   void PdfcSetTabCount(ULONG count)  the number of items of the ribbon-tab collection
//
// From any process, by WM_COPYDATA sent to the control's window (class "PXVControl"):
//   dwData kCopyDataFireEvent with the UTF-16 event name: result as PdfcFireEvent
//   dwData kCopyDataPerformSave: result as PdfcPerformSave
// and the journal file named by the environment variable BRAVIK_PDFCONTROL_JOURNAL (UTF-8 lines).
namespace pdfc {

inline constexpr ULONG_PTR kCopyDataFireEvent = 0x50434601;
inline constexpr ULONG_PTR kCopyDataPerformSave = 0x50434602;

using JournalReadFn = int(WINAPI*)(wchar_t* buffer, int capacity);
using JournalClearFn = void(WINAPI*)();
using FireEventFn = int(WINAPI*)(const wchar_t* name);
using PerformSaveFn = int(WINAPI*)();
using SetTabCountFn = void(WINAPI*)(ULONG count);

}  // namespace pdfc
