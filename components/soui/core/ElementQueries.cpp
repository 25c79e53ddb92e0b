// Inspection for tests in another process (the tool souispy.exe): a message-only window per process,
// "SOUI.Inspector" titled with the process id, answers WM_COPYDATA queries about the process's host
// windows, their named elements and the open popup menu. It only reads; it changes nothing, and a
// process nobody queries never runs any of this but the window's creation.
//
// Request (UTF-16 text, dwData kInspectMagic): lines "reply=<hwnd>", "cmd=<hosts|find|list|menu>",
// "host=<hwnd>", "name=<element name>". The answer goes back to the reply window as WM_COPYDATA of
// the same magic: one line per record, fields "key=value" separated by tabs; tab, line feed and
// backslash in values are written \t, \n and \\. Rectangles are screen coordinates "l,t,r,b".
#include <windows.h>

#include <soui/SHostWnd.h>
#include <soui/SWindow.h>

#include <string>

#include "Internal.h"
#include "MenuTracking.h"

namespace SOUI {

namespace {

const ULONG_PTR kInspectMagic = 0x534F5549;  // 'SOUI'
const wchar_t kInspectorClass[] = L"SOUI.Inspector";
HWND g_inspector = nullptr;

std::wstring Escape(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        if (c == L'\t') {
            out += L"\\t";
        } else if (c == L'\n') {
            out += L"\\n";
        } else if (c == L'\\') {
            out += L"\\\\";
        } else if (c != L'\r') {
            out += c;
        }
    }
    return out;
}

std::wstring Hex(const void* p) {
    wchar_t b[32];
    _snwprintf(b, 31, L"0x%08lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(p)));
    b[31] = 0;
    return b;
}

std::wstring Num(long long v) {
    return std::to_wstring(v);
}

std::wstring RectText(RECT rc, HWND host) {
    if (host) {
        MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    }
    return Num(rc.left) + L"," + Num(rc.top) + L"," + Num(rc.right) + L"," + Num(rc.bottom);
}

std::wstring ElementLine(SWindow* w, HWND host) {
    RECT rc, client;
    w->GetWindowRect(&rc);
    w->GetClientRect(&client);
    std::wstring line =
        L"found=1\tclass=" + std::wstring(w->GetObjectClass()) + L"\tname=" + Escape(w->GetName().c_str()) + L"\tid=" +
        Num(w->GetID()) + L"\tvisible=" + Num(w->IsVisible(TRUE) ? 1 : 0) + L"\tshown=" +
        Num(w->IsVisible(FALSE) ? 1 : 0) + L"\tenabled=" + Num(w->IsDisabled(TRUE) ? 0 : 1) + L"\trect=" +
        RectText(rc, host) + L"\tclient=" + RectText(client, host) + L"\ttext=" + Escape(w->GetWindowText().c_str()) +
        L"\tskin=" + Escape(w->GetSkinName().c_str()) + L"\ttip=" + Escape(w->GetToolTipText().c_str()) + L"\tdata=" +
        Num(static_cast<long long>(w->GetUserData()));
    return line;
}

void ListNamed(SWindow* w, HWND host, std::wstring& out) {
    for (int i = 0; i < w->GetChildrenCount(); ++i) {
        SWindow* c = w->GetChild(i);
        if (!c->GetName().IsEmpty()) {
            out += ElementLine(c, host) + L"\n";
        }
        ListNamed(c, host, out);
    }
}

std::wstring Field(const std::wstring& request, const wchar_t* key) {
    const std::wstring prefix = std::wstring(key) + L"=";
    size_t at = 0;
    while (at < request.size()) {
        size_t end = request.find(L'\n', at);
        if (end == std::wstring::npos) {
            end = request.size();
        }
        if (request.compare(at, prefix.size(), prefix) == 0) {
            return request.substr(at + prefix.size(), end - at - prefix.size());
        }
        at = end + 1;
    }
    return {};
}

HWND ParseHwnd(const std::wstring& text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoul(text.c_str(), nullptr, 0)));
}

std::wstring Answer(const std::wstring& request) {
    const std::wstring cmd = Field(request, L"cmd");
    if (cmd == L"hosts") {
        std::wstring out;
        EnumHosts(
            [](SHostWnd* h, void* ctx) {
                if (!h->m_hWnd) {
                    return;
                }
                RECT rc;
                ::GetWindowRect(h->m_hWnd, &rc);
                wchar_t title[256] = {};
                GetWindowTextW(h->m_hWnd, title, 255);
                *static_cast<std::wstring*>(ctx) +=
                    L"hwnd=" + Hex(h->m_hWnd) + L"\tlayout=" + Escape(h->GetLayoutName().c_str()) + L"\tname=" +
                    Escape(h->GetHostName().c_str()) + L"\ttitle=" + Escape(title) + L"\tvisible=" +
                    Num(IsWindowVisible(h->m_hWnd) ? 1 : 0) + L"\trect=" + RectText(rc, nullptr) + L"\n";
            },
            &out);
        if (HWND menu = ActiveMenuWindow()) {
            RECT rc;
            ::GetWindowRect(menu, &rc);
            out += L"hwnd=" + Hex(menu) + L"\tlayout=SMENU\tname=\ttitle=\tvisible=1\trect=" + RectText(rc, nullptr) +
                   L"\n";
        }
        return out;
    }
    if (cmd == L"menu") {
        std::wstring out;
        HWND menu = ActiveMenuWindow();
        if (const MenuState* st = ActiveMenuState()) {
            for (const MenuItem& it : st->items) {
                if (it.separator) {
                    continue;
                }
                out += L"found=1\tclass=menuitem\tid=" + Num(it.id) + L"\ttext=" + Escape(it.text) + L"\tenabled=" +
                       Num(it.disabled ? 0 : 1) + L"\tvisible=1\trect=" + RectText(it.rect, menu) + L"\n";
            }
        }
        return out;
    }
    SHostWnd* host = FindHost(ParseHwnd(Field(request, L"host")));
    if (!host) {
        return L"found=0\terror=no such host\n";
    }
    if (cmd == L"list") {
        std::wstring out;
        ListNamed(host, host->m_hWnd, out);
        return out;
    }
    if (cmd == L"find") {
        const std::wstring name = Field(request, L"name");
        SWindow* w = FindElementByName(host, name.c_str(), -1);
        return w ? ElementLine(w, host->m_hWnd) + L"\n" : L"found=0\n";
    }
    return L"found=0\terror=unknown command\n";
}

LRESULT CALLBACK InspectorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg != WM_COPYDATA) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!cds || cds->dwData != kInspectMagic || !cds->lpData) {
        return 0;
    }
    const std::wstring request(static_cast<const wchar_t*>(cds->lpData), cds->cbData / sizeof(wchar_t));
    HWND reply = ParseHwnd(Field(request, L"reply"));
    if (!IsWindow(reply)) {
        return 0;
    }
    std::wstring answer;
    try {
        answer = Answer(request);
    } catch (...) {
        answer = L"found=0\terror=failed\n";
    }
    COPYDATASTRUCT out = {kInspectMagic, static_cast<DWORD>((answer.size() + 1) * sizeof(wchar_t)),
                          const_cast<wchar_t*>(answer.c_str())};
    // The asker waits inside its own send for this reply, so it is never hung; Wine may judge a
    // thread that has not read its queue for five seconds hung all the same (an asker that waited on
    // a process that takes no message), and SMTO_ABORTIFHUNG would then drop the answer.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(reply, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&out), SMTO_NORMAL,
                        5000, &ignored);
    return 1;
}

}  // namespace

void StartInspector(HINSTANCE instance) {
    if (g_inspector) {
        return;
    }
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &InspectorProc;
    wc.hInstance = instance;
    wc.lpszClassName = kInspectorClass;
    RegisterClassExW(&wc);
    const std::wstring title = std::wstring(kInspectorClass) + L"." + std::to_wstring(GetCurrentProcessId());
    g_inspector =
        CreateWindowExW(0, kInspectorClass, title.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

void StopInspector() {
    if (g_inspector) {
        DestroyWindow(g_inspector);
        g_inspector = nullptr;
    }
}

}  // namespace SOUI
