#pragma once

#include <string>

// The crash report's form body: exception, mcode, uid and vform in that order, each "name=value",
// joined by "&". The first three are converted from the ANSI code page to UTF-8 (a text that does
// not convert is sent empty); vform goes as stored. Names and values are URL-encoded (blank "+",
// other bytes but letters, digits and . _ - * as %XX), as the form content type requires.
std::string crashReportForm(const std::string& crashText,
                            const std::string& machineCode,
                            const std::string& userId,
                            const std::string& versionInformation);
