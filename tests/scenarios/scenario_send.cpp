// scenario_send: sends a window message to the running program, as another process would.
//
//   scenario_send copydata TITLE PATH   WM_COPYDATA with PATH as zero-terminated UTF-16
//   scenario_send message TITLE NUMBER  the message NUMBER with wParam and lParam 0
//
// The window is found by its title. Exit code: the message's result (0-255), 254 when no window
// has the title, 253 for bad usage.
#include <windows.h>

#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        return 253;
    }
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) {
        return 254;
    }
    LRESULT result = 0;
    if (std::wcscmp(argv[1], L"copydata") == 0) {
        std::wstring path = argv[3];
        COPYDATASTRUCT data = {0, static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)), path.data()};
        result = SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    } else if (std::wcscmp(argv[1], L"message") == 0) {
        result = SendMessageW(window, static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0)), 0, 0);
    } else {
        return 253;
    }
    return static_cast<int>(result & 0xFF);
}
