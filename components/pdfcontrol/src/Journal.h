#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

// Every call the control and its engine receive, and every event they fire, one line each, in the
// order they happened. Tests read it through the module's exports; a program-level run can also
// have it appended to the UTF-8 file named by BRAVIK_PDFCONTROL_JOURNAL.
namespace pdfc {

void journal(const std::wstring& line);
std::wstring journalText();
void clearJournal();

// A call the control does not take, as its real counterpart would not: journalled in the one form
// "refused <call>: <reason>" and counted for the life of the module (clearing the journal keeps
// the count), so a test can tell that its code made no such call.
void refuse(const std::wstring& call, const std::wstring& reason);
int refusalCount();

// Names objects in journal lines: model objects register themselves while they live.
void registerObjectName(const IUnknown* object, const std::wstring& name);
void forgetObjectName(const IUnknown* object);

// Argument formatting for "object.slot(args)" lines.
std::wstring argText(LONG value);
std::wstring argText(ULONG value);
std::wstring argText(BSTR text);
std::wstring argText(IUnknown* object);
std::wstring argText(const VARIANT& value);
// "VT_BSTR", "VT_BYREF|VT_I4", or "VT#<number>" for a type without a name here.
std::wstring vtName(VARTYPE type);

template <class... Args>
std::wstring callText(const std::wstring& object, int slot, Args... args) {
    std::wstring line = object + L"." + std::to_wstring(slot) + L"(";
    bool first = true;
    ((line += (first ? L"" : L", ") + argText(args), first = false), ...);
    (void)first;
    return line + L")";
}

}  // namespace pdfc
