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

RECT ParseRect4(const std::wstring& text) {
    const std::vector<std::wstring> parts = SplitList(text);
    RECT rc = {0, 0, 0, 0};
    if (parts.size() == 1) {
        const int v = ParseInt(parts[0]);
        rc = {v, v, v, v};
    } else if (parts.size() >= 4) {
        rc = {ParseInt(parts[0]), ParseInt(parts[1]), ParseInt(parts[2]), ParseInt(parts[3])};
    } else if (parts.size() == 2) {
        const int h = ParseInt(parts[0]), v = ParseInt(parts[1]);
        rc = {h, v, h, v};
    }
    return rc;
}

COLORREF ParseColor(const std::wstring& text) {
    const std::wstring t = TrimBlanks(text);
    if (t.size() >= 2 && t[0] == L'#') {
        const std::wstring hex = t.substr(1);
        if (hex.size() != 6 && hex.size() != 8) {
            return CR_INVALID;
        }
        for (wchar_t c : hex) {
            if (!iswxdigit(c)) {
                return CR_INVALID;
            }
        }
        const unsigned long v = wcstoul(hex.c_str(), nullptr, 16);
        if (hex.size() == 6) {
            return RGBA((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF, 255);
        }
        return RGBA((v >> 24) & 0xFF, (v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    const size_t open = t.find(L'(');
    if (open != std::wstring::npos && t.back() == L')') {
        const std::wstring fn = TrimBlanks(t.substr(0, open));
        const std::vector<std::wstring> parts = SplitList(t.substr(open + 1, t.size() - open - 2));
        if (SameNoCase(fn, L"rgb") && parts.size() == 3) {
            return RGBA(ParseInt(parts[0]), ParseInt(parts[1]), ParseInt(parts[2]), 255);
        }
        if (SameNoCase(fn, L"rgba") && parts.size() == 4) {
            return RGBA(ParseInt(parts[0]), ParseInt(parts[1]), ParseInt(parts[2]), ParseInt(parts[3]));
        }
    }
    return CR_INVALID;
}

SPosItem ParsePosItem(const std::wstring& text) {
    std::wstring t = TrimBlanks(text);
    SPosItem item;
    if (!t.empty() && t[0] == L'[') {
        item.kind = SPosItem::AfterPrev;
        t = t.substr(1);
    } else if (!t.empty() && t[0] == L'-') {
        item.kind = SPosItem::FromEnd;
        t = t.substr(1);
    }
    item.value = ParseInt(t, 0);
    return item;
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
        wchar_t* end = nullptr;
        const long v = wcstol(t.c_str(), &end, 0);
        if (t.empty() || !end || *end != 0) {
            return FALSE;
        }
        id = static_cast<int>(v);
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
        if (SameNoCase(name, e.name)) {
            return e.id;
        }
    }
    return IDC_ARROW;
}

BOOL SameNoCase(const std::wstring& a, const wchar_t* b) {
    return _wcsicmp(a.c_str(), b) == 0;
}

}  // namespace SOUI
