#pragma once

// Formats a wide text ("%s" a wide string, "%d" a 32-bit int) and sends it to the debugger output.
void debugPrint(const wchar_t* format, ...);

// As debugPrint, then a line end as a second piece of debugger output.
void debugPrintLine(const wchar_t* format, ...);
