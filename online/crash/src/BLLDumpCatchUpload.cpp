#include "online/crash/BLLDumpCatchUpload.h"

#include <windows.h>

#include <foundation/AppState.h>
#include <foundation/CodePage.h>
#include <foundation/DataDir.h>
#include <online/http/CrashReportAddress.h>
#include <online/http/CurlHttpPost.h>

#include <string>

#include "online/crash/CrashPlatform.h"
#include "online/crash/CrashReportForm.h"

namespace {

// "提示" in code page 936: the reply box is a narrow one.
const char kReplyCaption[] = "\xCC\xE1\xCA\xBE";
const wchar_t kErrorCaption[] = L"错误";
const int kConnectTimeoutMs = 8000;
const int kTimeoutSec = 20;

// The reply as the user sees it: up to its first zero byte, from UTF-8 to the OEM code page;
// empty when a step does not convert.
std::string replyText(const char* body) {
    std::wstring wide;
    std::string oem;
    if (!utf8ToWide(body, wide) || !wideToOem(wide, oem)) {
        return {};
    }
    return oem;
}

void upload(const char* crashText) {
    CCurlHttpPost post(kCrashReportUploadUrl, "", 0, 0, false);
    // Bounded: a silent service must not keep the crashed process alive. (The five-argument
    // constructor always leaves the time-outs at 0.)
    post.setConnectTimeoutMs(kConnectTimeoutMs);
    post.setTimeout(kTimeoutSec);
    post.setPostFields(crashReportForm(crashText != nullptr ? crashText : "", g_appState.machineCode.c_str(),
                                       g_appState.user.userId.c_str(), g_appState.versionInformation.c_str()));
    if (!post.perform()) {
        g_crashPlatform.messageBoxW(nullptr, post.getLastError(), kErrorCaption, MB_OK);
        return;
    }
    const std::string text = replyText(post.responseBody());
    SYSTEMTIME utc = {};
    g_crashPlatform.getSystemTime(&utc);
    // A missing or read-only log folder only loses the copy: the user still sees the reply.
    writeLogFile(g_crashPlatform.localAppDataDir(), utc, SOUI::SStringA(text));
    g_crashPlatform.messageBoxA(nullptr, text.c_str(), kReplyCaption, MB_OK);
}

}  // namespace

int CBLLDumpCatchUpload::onDumpCatch(void* /*unused*/, const char* crashText) noexcept {
    try {
        upload(crashText);
    } catch (...) {
        // Out of memory while the process is going down: there is nobody left to tell.
    }
    return 1;
}
