#include "online/crash/CrashReportForm.h"

#include <foundation/QueryString.h>

std::string crashReportFormOf(const std::string& exception,
                              const std::string& machineCode,
                              const std::string& userId,
                              const std::string& versionInformation) {
    // The map puts the names in byte order: exception, mcode, uid, vform.
    QueryPairs form;
    form["exception"] = exception;
    form["mcode"] = machineCode;
    form["uid"] = userId;
    form["vform"] = versionInformation;
    // URL-encoded, as the form content type says: a crash text or a path may hold "&", "+" or "%".
    return buildQueryString(form, 1);
}
