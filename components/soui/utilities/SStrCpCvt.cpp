#include <soui/SStrCpCvt.h>

namespace SOUI {

SStringW SStrCpCvt::CvtA2W(const SStringA& text, UINT codePage) {
    if (text.IsEmpty()) {
        return {};
    }
    const int n = MultiByteToWideChar(codePage, 0, text.c_str(), text.GetLength(), nullptr, 0);
    if (n <= 0) {
        return {};
    }
    SStringW out;
    const int written = MultiByteToWideChar(codePage, 0, text.c_str(), text.GetLength(), out.GetBuffer(n), n);
    out.ReleaseBuffer(written > 0 ? written : 0);
    return out;
}

SStringA SStrCpCvt::CvtW2A(const SStringW& text, UINT codePage) {
    if (text.IsEmpty()) {
        return {};
    }
    const int n = WideCharToMultiByte(codePage, 0, text.c_str(), text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        return {};
    }
    SStringA out;
    const int written =
        WideCharToMultiByte(codePage, 0, text.c_str(), text.GetLength(), out.GetBuffer(n), n, nullptr, nullptr);
    out.ReleaseBuffer(written > 0 ? written : 0);
    return out;
}

}  // namespace SOUI
