#pragma once

// libcurl's handle and header list, declared as curl.h declares them, for headers that name them.
// curl.h itself is left to the sources: it brings winsock2.h, which must come before any windows.h,
// so a header that included it would tie its includers to that order.
typedef void CURL;
struct curl_slist;
