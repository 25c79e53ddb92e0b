#pragma once

// The system cursor for a cursor type of the web engine (wkeGetCursorInfoType): the numeric id
// of an IDC_* cursor, IDC_ARROW for every type without a cursor of its own.
unsigned mapWkeCursor(int engineCursorType);
