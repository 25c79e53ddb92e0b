#pragma once

#include <foundation/CodePage.h>

#include <string>

// The crash report's form body over texts already in UTF-8 (vform as stored): exception, mcode, uid
// and vform in that order, each "name=value", joined by "&". Names and values are URL-encoded
// (blank "+", other bytes but letters, digits and . _ - * as %XX), as the form content type
// requires, so any byte of a value comes back to a form parser. No Windows calls.
std::string crashReportFormOf(const std::string& exception,
                              const std::string& machineCode,
                              const std::string& userId,
                              const std::string& versionInformation);

// The same over the program's texts: the first three are converted from the ANSI code page to UTF-8
// (a text that does not convert is sent empty); vform goes as stored.
inline std::string crashReportForm(const std::string& crashText,
                                   const std::string& machineCode,
                                   const std::string& userId,
                                   const std::string& versionInformation) {
    return crashReportFormOf(acpToUtf8(crashText), acpToUtf8(machineCode), acpToUtf8(userId), versionInformation);
}
