// souispy: inspects and presses the UI library's elements in another process, for program-level
// tests. It asks each process's inspection window ("SOUI.Inspector.<pid>", see core/ElementQueries.cpp)
// and prints its answer: one record a line, tab-separated key=value fields.
//
//   souispy hosts                                   every host window (and the open menu)
//   souispy find  (--layout L | --title T | --hwnd H) --name N
//   souispy list  (--layout L | --title T | --hwnd H)
//   souispy click (--layout L | --title T | --hwnd H) --name N [--post]
//   souispy menu                                    items of the open popup menu
//   souispy menu-click (--text T | --id N) [--post]
//   souispy wait  (--layout L | --title T) [--name N] [--timeout MS]
//
// With several hosts of one layout the topmost is used. A click moves the mouse to the element's
// centre and presses and releases the left button with SendInput, as a user would; --post posts
// the mouse messages to the window instead. Exit code 0: done or found; 1: not found, hidden or
// covered; 2: bad usage.
#include <windows.h>

#include <stdio.h>

#include <map>
#include <string>
#include <vector>

#include "InspectorClient.h"

namespace {

using inspector::Ask;
using inspector::Inspectors;
using inspector::Parse;
using inspector::Record;

void Print(const std::wstring& text) {
    // UTF-8 out, whatever the console's code page.
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
}

struct Host {
    HWND hwnd;
    HWND inspector;
    Record rec;
};

// Hosts of every process, topmost first.
std::vector<Host> AllHosts() {
    std::vector<Host> hosts;
    for (HWND insp : Inspectors()) {
        for (const Record& r : Parse(Ask(insp, L"cmd=hosts\n"))) {
            auto it = r.find(L"hwnd");
            if (it != r.end()) {
                hosts.push_back(
                    {reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoul(it->second.c_str(), nullptr, 0))), insp, r});
            }
        }
    }
    std::vector<Host> ordered;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        for (const Host& h : hosts) {
            if (h.hwnd == w) {
                ordered.push_back(h);
            }
        }
    }
    return ordered;
}

struct Args {
    std::wstring cmd, layout, title, hwnd, name, text, id;
    bool post = false;
    DWORD timeout = 10000;
};

bool Matches(const Host& h, const Args& a) {
    if (!a.hwnd.empty()) {
        return h.hwnd == reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoul(a.hwnd.c_str(), nullptr, 0)));
    }
    if (!a.layout.empty() && _wcsicmp(h.rec.at(L"layout").c_str(), a.layout.c_str()) != 0) {
        return false;
    }
    if (!a.title.empty() && h.rec.at(L"title") != a.title) {
        return false;
    }
    return !a.layout.empty() || !a.title.empty();
}

bool FindHost(const Args& a, Host& out) {
    for (const Host& h : AllHosts()) {
        if (Matches(h, a)) {
            out = h;
            return true;
        }
    }
    return false;
}

RECT ParseRect(const std::wstring& s) {
    RECT rc = {0, 0, 0, 0};
    swscanf(s.c_str(), L"%ld,%ld,%ld,%ld", &rc.left, &rc.top, &rc.right, &rc.bottom);
    return rc;
}

// Presses the left button at the screen point: over `target` (whose root window must be the one
// under the point) as a user would, or by posting the messages.
int Click(HWND target, POINT pt, bool post) {
    HWND under = WindowFromPoint(pt);
    if (!post && GetAncestor(under, GA_ROOT) != GetAncestor(target, GA_ROOT)) {
        Print(L"error=covered\n");
        return 1;
    }
    if (post) {
        POINT client = pt;
        ScreenToClient(target, &client);
        const LPARAM lp = MAKELPARAM(client.x, client.y);
        PostMessageW(target, WM_MOUSEMOVE, 0, lp);
        PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, lp);
        PostMessageW(target, WM_LBUTTONUP, 0, lp);
        return 0;
    }
    SetCursorPos(pt.x, pt.y);
    Sleep(50);
    INPUT in[2] = {};
    in[0].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in[0], sizeof(INPUT));
    Sleep(50);
    SendInput(1, &in[1], sizeof(INPUT));
    Sleep(50);
    return 0;
}

int Usage() {
    Print(
        L"usage: souispy hosts | find|list|click|wait (--layout L | --title T | --hwnd H) [--name N] [--post] "
        L"[--timeout MS] | menu | menu-click (--text T | --id N) [--post]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return Usage();
    }
    Args a;
    a.cmd = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::wstring opt = argv[i];
        auto value = [&]() -> std::wstring { return i + 1 < argc ? argv[++i] : L""; };
        if (opt == L"--layout") {
            a.layout = value();
        } else if (opt == L"--title") {
            a.title = value();
        } else if (opt == L"--hwnd") {
            a.hwnd = value();
        } else if (opt == L"--name") {
            a.name = value();
        } else if (opt == L"--text") {
            a.text = value();
        } else if (opt == L"--id") {
            a.id = value();
        } else if (opt == L"--post") {
            a.post = true;
        } else if (opt == L"--timeout") {
            a.timeout = static_cast<DWORD>(_wtoi(value().c_str()));
        } else {
            return Usage();
        }
    }

    if (a.cmd == L"hosts") {
        for (HWND insp : Inspectors()) {
            Print(Ask(insp, L"cmd=hosts\n"));
        }
        return 0;
    }
    if (a.cmd == L"menu" || a.cmd == L"menu-click") {
        for (HWND insp : Inspectors()) {
            const std::wstring answer = Ask(insp, L"cmd=menu\n");
            if (answer.empty()) {
                continue;
            }
            if (a.cmd == L"menu") {
                Print(answer);
                return 0;
            }
            HWND menu = nullptr;
            for (const Record& h : Parse(Ask(insp, L"cmd=hosts\n"))) {
                if (h.count(L"layout") && h.at(L"layout") == L"SMENU") {
                    menu = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoul(h.at(L"hwnd").c_str(), nullptr, 0)));
                }
            }
            for (const Record& item : Parse(answer)) {
                if ((!a.text.empty() && item.at(L"text") == a.text) || (!a.id.empty() && item.at(L"id") == a.id)) {
                    const RECT rc = ParseRect(item.at(L"rect"));
                    Print(L"clicked=1\tid=" + item.at(L"id") + L"\n");
                    return Click(menu, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, a.post);
                }
            }
            Print(L"found=0\n");
            return 1;
        }
        Print(L"found=0\terror=no menu\n");
        return 1;
    }
    if (a.layout.empty() && a.title.empty() && a.hwnd.empty()) {
        return Usage();
    }
    if (a.cmd == L"wait") {
        const DWORD start = GetTickCount();
        do {
            Host h;
            if (FindHost(a, h) && h.rec.at(L"visible") == L"1") {
                if (a.name.empty()) {
                    Print(L"hwnd=" + h.rec.at(L"hwnd") + L"\n");
                    return 0;
                }
                const std::vector<Record> found =
                    Parse(Ask(h.inspector, L"cmd=find\nhost=" + h.rec.at(L"hwnd") + L"\nname=" + a.name + L"\n"));
                if (!found.empty() && found[0].at(L"found") == L"1" && found[0].at(L"visible") == L"1") {
                    Print(Ask(h.inspector, L"cmd=find\nhost=" + h.rec.at(L"hwnd") + L"\nname=" + a.name + L"\n"));
                    return 0;
                }
            }
            Sleep(100);
        } while (GetTickCount() - start < a.timeout);
        Print(L"found=0\terror=timeout\n");
        return 1;
    }
    Host h;
    if (!FindHost(a, h)) {
        Print(L"found=0\terror=no such host\n");
        return 1;
    }
    if (a.cmd == L"list") {
        Print(Ask(h.inspector, L"cmd=list\nhost=" + h.rec.at(L"hwnd") + L"\n"));
        return 0;
    }
    if (a.name.empty()) {
        return Usage();
    }
    const std::wstring answer = Ask(h.inspector, L"cmd=find\nhost=" + h.rec.at(L"hwnd") + L"\nname=" + a.name + L"\n");
    const std::vector<Record> recs = Parse(answer);
    if (recs.empty() || recs[0].at(L"found") != L"1") {
        Print(L"found=0\n");
        return 1;
    }
    if (a.cmd == L"find") {
        Print(answer);
        return 0;
    }
    if (a.cmd == L"click") {
        if (recs[0].at(L"visible") != L"1") {
            Print(L"error=hidden\n");
            return 1;
        }
        const RECT rc = ParseRect(recs[0].at(L"rect"));
        return Click(h.hwnd, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, a.post);
    }
    return Usage();
}
