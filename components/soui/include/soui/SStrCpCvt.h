#pragma once

#include <soui/SString.h>
#include <soui/SouiDefs.h>

namespace SOUI {

// Conversions of counted strings between a code page and UTF-16. The whole counted text is converted
// (embedded zeros included); a text the code page rejects gives an empty result. Code page 0 is the
// system's ANSI code page, CP_THREAD_ACP the thread's.
class UTILITIES_API SStrCpCvt {
  public:
    static SStringW CvtA2W(const SStringA& text, UINT codePage = CP_ACP);
    static SStringA CvtW2A(const SStringW& text, UINT codePage = CP_ACP);
};

}  // namespace SOUI
