#pragma once

#include <string>

// The crash report's form body: exception, mcode, uid and vform in that order, each "name=value",
// joined by "&". The first three are converted from the ANSI code page to UTF-8 (a text that does
// not convert is sent empty); vform goes as stored. Values are not URL-encoded: the service reads
// them as they are.
std::string crashReportForm(const std::string& crashText,
                            const std::string& machineCode,
                            const std::string& userId,
                            const std::string& versionInformation);
