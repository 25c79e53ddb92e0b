#pragma once

// Parameter-type lists of automation calls and event-sink entries: one variant type a byte, written
// side by side ("VTS_I4 VTS_DISPATCH") so adjacent literals join into one list.
#define VTS_NONE ""
#define VTS_I4 "\x03"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_UNKNOWN "\x0D"
#define VTS_UI4 "\x13"
