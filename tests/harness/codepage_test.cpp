// The Wine prefix must look like a simplified-Chinese Windows: the settings file, the crash
// caption and every narrow text of the program are in code page 936.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string toCodePage(const std::wstring& text, UINT codePage) {
    int n = WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring fromCodePage(const std::string& text, UINT codePage) {
    int n = MultiByteToWideChar(codePage, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

TEST(WinePrefix, AnsiAndOemCodePagesAre936) {
    EXPECT_EQ(GetACP(), 936u);
    EXPECT_EQ(GetOEMCP(), 936u);
}

TEST(WinePrefix, PromptCaptionRoundTripsThroughCodePage936) {
    const std::wstring caption = L"提示";
    const std::string narrow = toCodePage(caption, CP_ACP);
    // GBK bytes of the two characters.
    EXPECT_EQ(narrow, std::string("\xCC\xE1\xCA\xBE"));
    EXPECT_EQ(fromCodePage(narrow, CP_ACP), caption);
    EXPECT_EQ(toCodePage(caption, CP_UTF8).size(), 6u);
}

}  // namespace

namespace {

// Wine maps file names through the Unix locale: without a generated zh_CN.UTF-8 locale only ASCII
// names can be created, and every Chinese document path would fail.
TEST(WinePrefix, ChineseFileNamesCanBeCreatedAndListed) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) + L"bravik-名字-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
    const std::wstring file = folder + L"\\文档.pdf";
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    CloseHandle(h);

    WIN32_FIND_DATAW found = {};
    HANDLE find = FindFirstFileW((folder + L"\\*.pdf").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_EQ(std::wstring(found.cFileName), L"文档.pdf");

    EXPECT_TRUE(DeleteFileW(file.c_str()));
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}

}  // namespace
