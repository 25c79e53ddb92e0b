#include "support/CrashSeams.h"

#include <foundation/DataDir.h>
#include <online/crash/CrashPlatform.h>

#include <mutex>

#include "support/ChildProcess.h"

namespace crashseams {
namespace {

std::mutex g_lock;
std::vector<Box> g_boxes;
std::wstring g_localAppData;
std::wstring g_recordFile;

// The program's own calls, taken before the first replacement (after every static initialiser).
const CrashPlatform& real() {
    static const CrashPlatform calls = g_crashPlatform;
    return calls;
}

void keep(const Box& box) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_boxes.push_back(box);
    if (!g_recordFile.empty()) {
        childprocess::appendRecord(g_recordFile, "box.kind", box.wide ? "W" : "A");
        childprocess::appendRecord(g_recordFile, "box.owner", std::to_string(reinterpret_cast<UINT_PTR>(box.owner)));
        childprocess::appendRecord(g_recordFile, "box.text", box.text);
        childprocess::appendRecord(g_recordFile, "box.caption", box.caption);
        childprocess::appendRecord(g_recordFile, "box.style", std::to_string(box.style));
        childprocess::appendRecord(g_recordFile, "box.thread", std::to_string(box.threadId));
    }
}

int WINAPI recordBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style) {
    keep({true, owner, childprocess::toUtf8(text ? text : L""), childprocess::toUtf8(caption ? caption : L""), style,
          GetCurrentThreadId()});
    return IDOK;
}

int WINAPI recordBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    keep({false, owner, text ? text : "", caption ? caption : "", style, GetCurrentThreadId()});
    return IDOK;
}

void WINAPI fixedTime(LPSYSTEMTIME utc) {
    *utc = SYSTEMTIME{2019, 12, 2, 3, 8, 15, 12, 345};
}

SOUI::SStringW scratchLocalAppData() {
    return SOUI::SStringW(g_localAppData.c_str());
}

}  // namespace

void install(const std::wstring& localAppData, bool fixedClock, const std::wstring& recordFile) {
    real();
    {
        std::lock_guard<std::mutex> hold(g_lock);
        g_localAppData = localAppData;
        g_recordFile = recordFile;
        g_boxes.clear();
    }
    g_crashPlatform.messageBoxW = recordBoxW;
    g_crashPlatform.messageBoxA = recordBoxA;
    g_crashPlatform.getSystemTime = fixedClock ? fixedTime : real().getSystemTime;
    g_crashPlatform.localAppDataDir = scratchLocalAppData;
}

void uninstall() {
    g_crashPlatform = real();
}

std::vector<Box> boxes() {
    std::lock_guard<std::mutex> hold(g_lock);
    return g_boxes;
}

void clearBoxes() {
    std::lock_guard<std::mutex> hold(g_lock);
    g_boxes.clear();
}

std::vector<Box> readBoxes(const std::wstring& recordFile) {
    std::vector<Box> result;
    for (const auto& [key, value] : childprocess::readRecord(recordFile)) {
        if (key == "box.kind") {
            result.emplace_back();
            result.back().wide = value == "W";
        } else if (result.empty()) {
            continue;
        } else if (key == "box.owner") {
            result.back().owner = reinterpret_cast<HWND>(std::stoul(value));
        } else if (key == "box.text") {
            result.back().text = value;
        } else if (key == "box.caption") {
            result.back().caption = value;
        } else if (key == "box.style") {
            result.back().style = static_cast<UINT>(std::stoul(value));
        } else if (key == "box.thread") {
            result.back().threadId = static_cast<DWORD>(std::stoul(value));
        }
    }
    return result;
}

}  // namespace crashseams
