#pragma once

// libcurl's process-wide set-up and tear-down; nothing calls either.
class CCurlHttpGlobal {
  public:
    virtual ~CCurlHttpGlobal() = default;

    // curl_global_init once per process (g_curlGlobalInitDone); false when it fails.
    static bool init();
    // curl_global_cleanup; the flag stays set, so a later init does nothing.
    static bool cleanup();
};
