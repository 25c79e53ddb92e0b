#include "online/crash/CrashReportForm.h"

#include <foundation/CodePage.h>
#include <foundation/QueryString.h>

std::string crashReportForm(const std::string& crashText,
                            const std::string& machineCode,
                            const std::string& userId,
                            const std::string& versionInformation) {
    // The map puts the names in byte order: exception, mcode, uid, vform.
    QueryPairs form;
    form["vform"] = versionInformation;
    form["exception"] = acpToUtf8(crashText);
    form["uid"] = acpToUtf8(userId);
    form["mcode"] = acpToUtf8(machineCode);
    // URL-encoded, as the form content type says: a crash text or a path may hold "&", "+" or "%".
    return buildQueryString(form, 1);
}
