#pragma once

// The crash-report service's upload address (plain HTTP, path "/DoLoadLog.php"), fixed when the
// program is built (BRAVIK_CRASH_REPORT_URL).
extern const char kCrashReportUploadUrl[];
