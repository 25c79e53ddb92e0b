#pragma once

#include <string>

#include "foundation/ModuleFailure.h"

// What the user is told when a module the program cannot run without is unusable, worded as the
// crash library's load failures are: "无法加载DLL," with the module's file name, "无法获取导出函数,"
// or "函数返回空," with the export's name; empty when nothing failed.
std::wstring moduleFailureText(const ModuleFailure& failure);

// The one system message box of such a failure: no owner, caption "提示", MB_OK; it returns when the
// user has closed it.
void reportModuleFailure(const ModuleFailure& failure);
