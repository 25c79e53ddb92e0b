// bench_floor: the least a start of the program must do, as a baseline of the benchmark. It is
// linked with the program's imports (the benchmark compares the two import tables), builds the
// program's application state and makes the program's start-up requests through the program's
// own account client: the start-up information, with the stored user's profile, signed as the
// program signs them, over verified TLS to the compiled-in service.
//
//   bench_floor            the requests, then it ends (the floor of a hand-off)
//   bench_floor window     the requests as a first instance makes them (the profile once more when
//                          the sign-in switch is on), then a window of the main window's size,
//                          shown and painted, until it is closed (the floor of a launch)
#include <windows.h>

#include <imm.h>

#include <foundation/AppState.h>
#include <online/account/AccountRequests.h>
#include <soui/SApplication.h>

#include <cwchar>

namespace {

constexpr wchar_t kWindowClass[] = L"BenchFloorWindow";
constexpr int kMainWindowWidth = 1100;
constexpr int kMainWindowHeight = 700;

// Imports of the program that the floor's own work calls nothing from: referenced here, and kept
// by the linker, so the loader maps and initialises the same modules for both.
[[gnu::used]] void* const kSameImports[] = {
    reinterpret_cast<void*>(&ImmGetContext), reinterpret_cast<void*>(&AlphaBlend),
    reinterpret_cast<void*>(&SysFreeString), reinterpret_cast<void*>(&SOUI::SApplication::getSingletonPtr)};

// The version information the program's application strings give it.
void setVersionTexts() {
    g_appState.prover = BENCH_PROGRAM_PROVER;
    g_appState.versionInformation = g_appState.pid + g_appState.prover + g_appState.sid;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            FillRect(dc, &paint.rcPaint, reinterpret_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

int runWindow(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassW(&windowClass)) {
        return 1;
    }
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
    HWND window = CreateWindowExW(0, kWindowClass, kWindowClass, WS_POPUP, left, top, kMainWindowWidth,
                                  kMainWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    const bool withWindow = std::wcscmp(commandLine, L"window") == 0;
    setVersionTexts();
    doLoadInfo();
    if (withWindow && g_appState.doLogin != 0) {
        // The main window's account area asks for the profile again while it is built.
        getUserData();
    }
    return withWindow ? runWindow(instance) : 0;
}
