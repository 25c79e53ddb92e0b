// wkespy: asks the web views of other processes through the engine's test hook
// (webengine/TestHook.h) and clicks their page elements, for program-level tests. It prints each
// answer as one line of tab-separated key=value fields.
//
//   wkespy views                                    every view: host, url, title, loading, size
//   wkespy text    [--host H]                       the page's visible text
//   wkespy element [--host H] (--id ID | --text T)  the element's rectangle in view coordinates
//   wkespy wait    [--host H] [--id ID | --text T] [--url-contains S] [--timeout MS]
//                                                   until a view has loaded (and shows the element)
//   wkespy click   [--host H] (--id ID | --text T) [--origin X,Y | --screen-origin X,Y] [--post]
//
// --host picks the view shown in that window (hexadecimal handle); without it the first view is
// used. A click presses the left button at the element's centre. Where the view lies: --origin is
// its top-left corner in the host window's client coordinates, --screen-origin on the screen (the
// left and top of the "client=" rectangle that souispy reports for the web-view control). The mouse
// is moved there and pressed with SendInput, as a user would; --post posts the mouse messages to
// the host window instead. Exit code 0: done or found;
// 1: no such view or element, or time out; 2: bad usage.
#include <windows.h>

#include <stdio.h>
#include <webengine/TestHookClient.h>

#include <string>

namespace {

using wkehook::parseRecord;
using wkehook::Record;

wkehook::Client& client() {
    static wkehook::Client c;
    return c;
}

std::wstring ask(HWND hook, const std::wstring& request) {
    return client().askText(hook, request);
}

struct Options {
    std::wstring command, host, id, text, urlContains, origin, screenOrigin;
    DWORD timeout = 10000;
    bool post = false;
};

// The hook of the chosen view, or null.
HWND findView(const Options& o) {
    const HWND host =
        o.host.empty() ? nullptr : reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoul(o.host.c_str(), nullptr, 16)));
    return client().findByHost(host);
}

std::wstring elementRequest(const Options& o) {
    return o.id.empty() ? L"element text=" + o.text : L"element id=" + o.id;
}

void print(const std::wstring& line) {
    // UTF-8 on stdout so that the caller reads Chinese titles as they are.
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), out.data(), n, nullptr, nullptr);
    fwrite(out.data(), 1, out.size(), stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

int click(const Options& o, HWND hook) {
    const Record r = parseRecord(ask(hook, elementRequest(o)));
    if (r.count(L"found") == 0 || r.at(L"found") != L"1") {
        print(L"found=0");
        return 1;
    }
    const HWND host = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoul(r.at(L"host").c_str(), nullptr, 16)));
    if (!IsWindow(host)) {
        print(L"error=the view has no host window");
        return 1;
    }
    int ox = 0;
    int oy = 0;
    const std::wstring& origin = o.screenOrigin.empty() ? o.origin : o.screenOrigin;
    if (!origin.empty() && swscanf(origin.c_str(), L"%d,%d", &ox, &oy) != 2) {
        print(L"error=the origin is no X,Y");
        return 2;
    }
    POINT pt = {ox + _wtoi(r.at(L"x").c_str()) + _wtoi(r.at(L"w").c_str()) / 2,
                oy + _wtoi(r.at(L"y").c_str()) + _wtoi(r.at(L"h").c_str()) / 2};
    // From here on pt is in the host window's client coordinates.
    if (!o.screenOrigin.empty()) {
        ScreenToClient(host, &pt);
    }
    if (o.post) {
        const LPARAM at = MAKELPARAM(pt.x, pt.y);
        PostMessageW(host, WM_MOUSEMOVE, 0, at);
        PostMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(host, WM_LBUTTONUP, 0, at);
    } else {
        ClientToScreen(host, &pt);
        SetForegroundWindow(host);
        SetCursorPos(pt.x, pt.y);
        INPUT in[3] = {};
        const int sw = GetSystemMetrics(SM_CXSCREEN) - 1;
        const int sh = GetSystemMetrics(SM_CYSCREEN) - 1;
        in[0].type = INPUT_MOUSE;
        in[0].mi.dx = sw > 0 ? pt.x * 65535 / sw : 0;
        in[0].mi.dy = sh > 0 ? pt.y * 65535 / sh : 0;
        in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in[1].type = INPUT_MOUSE;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[2].type = INPUT_MOUSE;
        in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &in[0], sizeof(INPUT));
        Sleep(50);
        SendInput(2, &in[1], sizeof(INPUT));
    }
    wchar_t done[64];
    _snwprintf(done, 63, L"clicked=1\tx=%ld\ty=%ld", pt.x, pt.y);
    done[63] = 0;
    print(done);
    return 0;
}

int wait(const Options& o) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND hook = findView(o)) {
            const Record info = parseRecord(ask(hook, L"info"));
            const bool loaded = info.count(L"loading") && info.at(L"loading") == L"0";
            const bool urlOk = o.urlContains.empty() ||
                               (info.count(L"url") && info.at(L"url").find(o.urlContains) != std::wstring::npos);
            bool elementOk = true;
            std::wstring answer = ask(hook, L"info");
            if (!o.id.empty() || !o.text.empty()) {
                answer = ask(hook, elementRequest(o));
                const Record r = parseRecord(answer);
                elementOk = r.count(L"found") && r.at(L"found") == L"1";
            }
            if (loaded && urlOk && elementOk) {
                print(answer);
                return 0;
            }
        }
        if (GetTickCount() - start > o.timeout) {
            print(L"error=time out");
            return 1;
        }
        Sleep(100);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fputs("usage: wkespy views|text|element|wait|click [options]\n", stderr);
        return 2;
    }
    Options o;
    o.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::wstring a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == L"--host" && hasValue)
            o.host = argv[++i];
        else if (a == L"--id" && hasValue)
            o.id = argv[++i];
        else if (a == L"--text" && hasValue)
            o.text = argv[++i];
        else if (a == L"--url-contains" && hasValue)
            o.urlContains = argv[++i];
        else if (a == L"--origin" && hasValue)
            o.origin = argv[++i];
        else if (a == L"--screen-origin" && hasValue)
            o.screenOrigin = argv[++i];
        else if (a == L"--timeout" && hasValue)
            o.timeout = static_cast<DWORD>(_wtoi(argv[++i]));
        else if (a == L"--post")
            o.post = true;
        else {
            fputs("wkespy: bad option\n", stderr);
            return 2;
        }
    }
    if (o.command == L"views") {
        for (HWND h : wkehook::Client::hooks()) {
            print(ask(h, L"info"));
        }
        return 0;
    }
    if (o.command == L"wait") {
        return wait(o);
    }
    HWND hook = findView(o);
    if (!hook) {
        print(L"error=no such view");
        return 1;
    }
    if (o.command == L"text") {
        print(ask(hook, L"text"));
        return 0;
    }
    if ((o.command == L"element" || o.command == L"click") && (o.id.empty() == o.text.empty())) {
        fputs("wkespy: give --id or --text\n", stderr);
        return 2;
    }
    if (o.command == L"element") {
        const std::wstring answer = ask(hook, elementRequest(o));
        print(answer);
        return parseRecord(answer)[L"found"] == L"1" ? 0 : 1;
    }
    if (o.command == L"click") {
        return click(o, hook);
    }
    fputs("wkespy: unknown command\n", stderr);
    return 2;
}
