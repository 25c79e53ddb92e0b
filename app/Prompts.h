#pragma once

// The texts of a prompt, in the order the prompt dialog takes them.
struct PromptTexts {
    const wchar_t* text;
    const wchar_t* line1;
    const wchar_t* line2;
    const wchar_t* line3;
    const wchar_t* okCaption;
    const wchar_t* cancelCaption;
    const wchar_t* title;
};

// The update offer at start-up and the one from the main menu differ in their second note only.
inline constexpr PromptTexts kUpdateOfferAtStart = {L"发现新版本，是否立即升级到最新版本?",
                                                    L"1、修复预览偶尔导致程序崩溃的问题；",
                                                    L"2、增加深度扫描恢复的文件类型；",
                                                    L"3、修复其他累积的bug。",
                                                    L"下载更新",
                                                    L"取消",
                                                    L"更新"};
inline constexpr PromptTexts kUpdateOfferFromMenu = {L"发现新版本，是否立即升级到最新版本?",
                                                     L"1、修复预览偶尔导致程序崩溃的问题；",
                                                     L"2、优化程序,提升程序的运行效率；",
                                                     L"3、修复其他累积的bug。",
                                                     L"下载更新",
                                                     L"取消",
                                                     L"更新"};
inline constexpr PromptTexts kMissingFile = {L"该文件不存在！", L"", L"", L"", L"确定", L"取消", L"提示"};
// After an accepted update offer, when the updater is missing or the shell refuses to start it.
inline constexpr PromptTexts kUpdaterNotStarted = {L"无法启动升级程序！", L"", L"", L"", L"确定", L"取消", L"提示"};
// At start-up, when the PDF control's engine cannot be created even after its registration.
inline constexpr PromptTexts kPdfControlUnavailable = {
    L"PDF组件不可用！", L"程序无法打开PDF文档，请重新安装本程序。", L"", L"", L"确定", L"取消", L"提示"};
// A second launch whose documents did not reach the running program: it did not answer (or its
// window did not come), or the settings file could not be written and the other way failed too.
inline constexpr PromptTexts kHandOffNotAnswering = {
    L"无法把文档交给正在运行的程序！", L"正在运行的程序没有响应。", L"", L"", L"确定", L"取消", L"提示"};
inline constexpr PromptTexts kHandOffNotWritten = {
    L"无法把文档交给正在运行的程序！", L"无法写入设置文件。", L"", L"", L"确定", L"取消", L"提示"};
inline constexpr PromptTexts kLoginBeforeSave = {
    L"是否登录账号？", L"需要登录账号才能执行保存操作！", L"", L"", L"免费登录", L"取消", L"提示"};

// The code of the prompt's OK button; every caller tests for it alone.
inline constexpr int kPromptAccepted = 1;
