#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// The client side of the UI library's inspection protocol: each process of the library has a
// message-only window "SOUI.Inspector" titled "SOUI.Inspector.<pid>" that answers WM_COPYDATA
// requests with records (see core/ElementQueries.cpp). For the tools of the tests.
namespace inspector {

// One record: its key=value fields, values as sent (escapes of tab, line feed and backslash kept).
using Record = std::map<std::wstring, std::wstring>;

// The inspector's answer to a request ("cmd=...\n" lines without the reply line); empty when it did
// not answer within ten seconds.
std::wstring Ask(HWND inspector, const std::wstring& request);
// Every inspection window of the session, and the one of a process (null when it has none).
std::vector<HWND> Inspectors();
HWND InspectorOf(DWORD processId);
// The records of an answer, one a line.
std::vector<Record> Parse(const std::wstring& answer);

}  // namespace inspector
