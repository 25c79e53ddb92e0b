// The client side of the UI library's inspection protocol (see core/ElementQueries.cpp).
#include "InspectorClient.h"

namespace inspector {
namespace {

const ULONG_PTR kInspectMagic = 0x534F5549;

std::wstring g_answer;

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (cds && cds->dwData == kInspectMagic && cds->lpData) {
            g_answer.assign(static_cast<const wchar_t*>(cds->lpData), cds->cbData / sizeof(wchar_t));
            g_answer.resize(wcslen(g_answer.c_str()));
        }
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND ReplyWindow() {
    static HWND hwnd = nullptr;
    if (!hwnd) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &ReplyProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SOUI.InspectorReply";
        RegisterClassW(&wc);
        hwnd = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    return hwnd;
}

}  // namespace

std::wstring Ask(HWND inspector, const std::wstring& request) {
    wchar_t reply[32];
    _snwprintf(reply, 31, L"0x%08lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(ReplyWindow())));
    reply[31] = 0;
    const std::wstring text = L"reply=" + std::wstring(reply) + L"\n" + request;
    COPYDATASTRUCT cds = {kInspectMagic, static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
                          const_cast<wchar_t*>(text.c_str())};
    g_answer.clear();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(inspector, WM_COPYDATA, reinterpret_cast<WPARAM>(ReplyWindow()), reinterpret_cast<LPARAM>(&cds),
                        SMTO_ABORTIFHUNG, 10000, &result);
    return g_answer;
}

std::vector<HWND> Inspectors() {
    std::vector<HWND> all;
    HWND after = nullptr;
    while ((after = FindWindowExW(HWND_MESSAGE, after, L"SOUI.Inspector", nullptr)) != nullptr) {
        all.push_back(after);
    }
    return all;
}

std::vector<Record> Parse(const std::wstring& answer) {
    std::vector<Record> records;
    size_t at = 0;
    while (at < answer.size()) {
        size_t end = answer.find(L'\n', at);
        if (end == std::wstring::npos) {
            end = answer.size();
        }
        Record rec;
        size_t f = at;
        while (f < end) {
            size_t tab = answer.find(L'\t', f);
            if (tab == std::wstring::npos || tab > end) {
                tab = end;
            }
            const std::wstring field = answer.substr(f, tab - f);
            const size_t eq = field.find(L'=');
            if (eq != std::wstring::npos) {
                rec[field.substr(0, eq)] = field.substr(eq + 1);
            }
            f = tab + 1;
        }
        if (!rec.empty()) {
            records.push_back(rec);
        }
        at = end + 1;
    }
    return records;
}

HWND InspectorOf(DWORD processId) {
    const std::wstring title = L"SOUI.Inspector." + std::to_wstring(processId);
    return FindWindowExW(HWND_MESSAGE, nullptr, L"SOUI.Inspector", title.c_str());
}

}  // namespace inspector
