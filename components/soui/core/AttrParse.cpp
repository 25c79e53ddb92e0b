#include "AttrParse.h"

#include <soui/SouiDefs.h>
#include <wchar.h>
#include <wctype.h>

namespace SOUI {

std::wstring Utf8ToWide(const char* utf8) {
    if (!utf8 || !*utf8) {
        return {};
    }
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), n);
    out.resize(wcslen(out.c_str()));
    return out;
}

std::wstring TrimBlanks(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(L" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::vector<std::wstring> SplitList(const std::wstring& text, wchar_t sep) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (true) {
        const size_t at = text.find(sep, start);
        parts.push_back(TrimBlanks(text.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start)));
        if (at == std::wstring::npos) {
            break;
        }
        start = at + 1;
    }
    return parts;
}

int ParseInt(const std::wstring& text, int fallback) {
    const std::wstring t = TrimBlanks(text);
    if (t.empty()) {
        return fallback;
    }
    wchar_t* end = nullptr;
    const long v = wcstol(t.c_str(), &end, 0);
    return (end && *end == 0) ? static_cast<int>(v) : fallback;
}

BOOL ParseBool(const std::wstring& text) {
    const std::wstring t = TrimBlanks(text);
    return SameNoCase(t, L"true") || SameNoCase(t, L"yes") || ParseInt(t, 0) != 0;
}

BOOL ParseId(const std::wstring& text, int& id) {
    const std::wstring t = TrimBlanks(text);
    if (t == L"IDOK") {
        id = IDOK;
    } else if (t == L"IDCANCEL") {
        id = IDCANCEL;
    } else if (t == L"IDCLOSE") {
        id = IDCLOSE;
    } else {
        return ReadInt(t, id);
    }
    return TRUE;
}

LOGFONTW ParseFont(const std::wstring& spec, const std::wstring& defFace, int defSize) {
    LOGFONTW lf = {};
    lf.lfHeight = -(defSize > 0 ? defSize : 12);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    wcsncpy(lf.lfFaceName, defFace.c_str(), LF_FACESIZE - 1);
    for (const std::wstring& part : SplitList(spec)) {
        const size_t colon = part.find(L':');
        if (colon == std::wstring::npos) {
            continue;
        }
        const std::wstring key = TrimBlanks(part.substr(0, colon));
        const std::wstring value = TrimBlanks(part.substr(colon + 1));
        if (SameNoCase(key, L"face")) {
            wcsncpy(lf.lfFaceName, value.c_str(), LF_FACESIZE - 1);
            lf.lfFaceName[LF_FACESIZE - 1] = 0;
        } else if (SameNoCase(key, L"size")) {
            lf.lfHeight = -ParseInt(value, defSize);
        } else if (SameNoCase(key, L"bold")) {
            lf.lfWeight = ParseBool(value) ? FW_BOLD : FW_NORMAL;
        } else if (SameNoCase(key, L"weight")) {
            lf.lfWeight = ParseInt(value, FW_NORMAL);
        } else if (SameNoCase(key, L"italic")) {
            lf.lfItalic = ParseBool(value) ? 1 : 0;
        } else if (SameNoCase(key, L"underline")) {
            lf.lfUnderline = ParseBool(value) ? 1 : 0;
        } else if (SameNoCase(key, L"strike")) {
            lf.lfStrikeOut = ParseBool(value) ? 1 : 0;
        }
    }
    return lf;
}

LPCWSTR ParseCursor(const std::wstring& name) {
    LPCWSTR id = IDC_ARROW;
    return ReadCursor(name, id) ? id : IDC_ARROW;
}

BOOL SameNoCase(const std::wstring& a, const wchar_t* b) {
    return _wcsicmp(a.c_str(), b) == 0;
}

namespace {

BOOL AllOf(const std::wstring& text, size_t from, int (*isDigit)(wint_t)) {
    if (from >= text.size()) {
        return FALSE;
    }
    for (size_t i = from; i < text.size(); ++i) {
        if (text[i] > 0x7F || !isDigit(text[i])) {
            return FALSE;
        }
    }
    return TRUE;
}

// A non-negative decimal number of ASCII digits, within int.
BOOL ReadDecimal(const std::wstring& digits, int& value) {
    if (!AllOf(digits, 0, iswdigit) || digits.size() > 10) {
        return FALSE;
    }
    const long long v = wcstoll(digits.c_str(), nullptr, 10);
    if (v > 0x7FFFFFFFLL) {
        return FALSE;
    }
    value = static_cast<int>(v);
    return TRUE;
}

}  // namespace

BOOL ReadInt(const std::wstring& text, int& value) {
    const std::wstring t = TrimBlanks(text);
    if (t.size() > 2 && t[0] == L'0' && (t[1] == L'x' || t[1] == L'X')) {
        // Hexadecimal: bit masks (textMode, styles) up to 32 bits.
        if (!AllOf(t, 2, iswxdigit) || t.size() > 10) {
            return FALSE;
        }
        value = static_cast<int>(wcstoul(t.c_str() + 2, nullptr, 16));
        return TRUE;
    }
    const BOOL negative = !t.empty() && t[0] == L'-';
    int magnitude = 0;
    if (!ReadDecimal(negative ? t.substr(1) : t, magnitude)) {
        return FALSE;
    }
    value = negative ? -magnitude : magnitude;
    return TRUE;
}

BOOL ReadFlag(const std::wstring& text, BOOL& value) {
    const std::wstring t = TrimBlanks(text);
    if (t != L"0" && t != L"1") {
        return FALSE;
    }
    value = t == L"1";
    return TRUE;
}

BOOL ReadFour(const std::wstring& text, RECT& value) {
    const std::vector<std::wstring> parts = SplitList(text);
    int v[4] = {};
    if (parts.size() != 4) {
        return FALSE;
    }
    for (size_t i = 0; i < 4; ++i) {
        if (!ReadInt(parts[i], v[i])) {
            return FALSE;
        }
    }
    value = {v[0], v[1], v[2], v[3]};
    return TRUE;
}

BOOL TakeFlag(const std::wstring& text, BOOL& target, std::wstring& wrong) {
    if (!ReadFlag(text, target)) {
        wrong = L"not 0 or 1";
        return FALSE;
    }
    return TRUE;
}

BOOL TakeFour(const std::wstring& text, RECT& target, std::wstring& wrong) {
    if (!ReadFour(text, target)) {
        wrong = L"not four integers \"l,t,r,b\"";
        return FALSE;
    }
    return TRUE;
}

BOOL ReadPos(const std::wstring& text, SPosItem (&items)[4], int& count) {
    const std::vector<std::wstring> parts = SplitList(text);
    if (parts.size() != 2 && parts.size() != 4) {
        return FALSE;
    }
    SPosItem read[4];
    for (size_t i = 0; i < parts.size(); ++i) {
        std::wstring t = parts[i];
        if (!t.empty() && t[0] == L'[') {
            read[i].kind = SPosItem::AfterPrev;
            t = t.substr(1);
        } else if (!t.empty() && t[0] == L'-') {
            read[i].kind = SPosItem::FromEnd;
            t = t.substr(1);
        }
        if (!ReadDecimal(t, read[i].value)) {
            return FALSE;
        }
    }
    count = static_cast<int>(parts.size());
    for (size_t i = 0; i < 4; ++i) {
        items[i] = read[i];
    }
    return TRUE;
}

BOOL ReadSizePart(const std::wstring& text, int& value) {
    int v = 0;
    if (!ReadInt(text, v) || v < -2) {
        return FALSE;
    }
    value = v;
    return TRUE;
}

BOOL ReadColorLiteral(const std::wstring& text, COLORREF& value) {
    const std::wstring t = TrimBlanks(text);
    if (t.size() >= 2 && t[0] == L'#') {
        const std::wstring hex = t.substr(1);
        if ((hex.size() != 6 && hex.size() != 8) || !AllOf(hex, 0, iswxdigit)) {
            return FALSE;
        }
        const unsigned long v = wcstoul(hex.c_str(), nullptr, 16);
        value = hex.size() == 6 ? RGBA((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF, 255)
                                : RGBA((v >> 24) & 0xFF, (v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        return TRUE;
    }
    const size_t open = t.find(L'(');
    if (open == std::wstring::npos || t.back() != L')') {
        return FALSE;
    }
    const std::wstring fn = TrimBlanks(t.substr(0, open));
    const std::vector<std::wstring> parts = SplitList(t.substr(open + 1, t.size() - open - 2));
    const size_t want = SameNoCase(fn, L"rgb") ? 3 : (SameNoCase(fn, L"rgba") ? 4 : 0);
    if (want == 0 || parts.size() != want) {
        return FALSE;
    }
    int c[4] = {0, 0, 0, 255};
    for (size_t i = 0; i < want; ++i) {
        if (!ReadDecimal(parts[i], c[i]) || c[i] > 255) {
            return FALSE;
        }
    }
    value = RGBA(c[0], c[1], c[2], c[3]);
    return TRUE;
}

std::wstring FontSpecProblem(const std::wstring& spec) {
    if (TrimBlanks(spec).empty()) {
        return {};
    }
    for (const std::wstring& part : SplitList(spec)) {
        const size_t colon = part.find(L':');
        if (colon == std::wstring::npos) {
            return L"\"" + part + L"\" is no key:value pair";
        }
        const std::wstring key = TrimBlanks(part.substr(0, colon));
        const std::wstring value = TrimBlanks(part.substr(colon + 1));
        int number = 0;
        BOOL flag = FALSE;
        if (SameNoCase(key, L"face")) {
            if (value.empty()) {
                return L"an empty face";
            }
        } else if (SameNoCase(key, L"size")) {
            if (!ReadInt(value, number) || number <= 0) {
                return L"size \"" + value + L"\" is no pixel height";
            }
        } else if (SameNoCase(key, L"weight")) {
            if (!ReadInt(value, number) || number < 100 || number > 900) {
                return L"weight \"" + value + L"\" is not 100-900";
            }
        } else if (KeywordIndex(key, {L"bold", L"italic", L"underline", L"strike"}) >= 0) {
            if (!ReadFlag(value, flag)) {
                return key + L" \"" + value + L"\" is not 0 or 1";
            }
        } else {
            return L"no font key \"" + key + L"\"";
        }
    }
    return {};
}

BOOL ReadCursor(const std::wstring& name, LPCWSTR& id) {
    struct Entry {
        const wchar_t* name;
        LPCWSTR id;
    };
    static const Entry table[] = {
        {L"arrow", IDC_ARROW},   {L"hand", IDC_HAND},         {L"ibeam", IDC_IBEAM},       {L"wait", IDC_WAIT},
        {L"cross", IDC_CROSS},   {L"help", IDC_HELP},         {L"sizeall", IDC_SIZEALL},   {L"sizewe", IDC_SIZEWE},
        {L"sizens", IDC_SIZENS}, {L"sizenesw", IDC_SIZENESW}, {L"sizenwse", IDC_SIZENWSE},
    };
    for (const Entry& e : table) {
        if (SameNoCase(TrimBlanks(name), e.name)) {
            id = e.id;
            return TRUE;
        }
    }
    return FALSE;
}

int KeywordIndex(const std::wstring& text, std::initializer_list<const wchar_t*> words) {
    const std::wstring t = TrimBlanks(text);
    int index = 0;
    for (const wchar_t* w : words) {
        if (SameNoCase(t, w)) {
            return index;
        }
        ++index;
    }
    return -1;
}

}  // namespace SOUI
