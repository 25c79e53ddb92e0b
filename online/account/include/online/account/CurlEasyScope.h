#pragma once

// A scope object of the account client without state; nothing creates one.
class CCurlEasyScope {
  public:
    CCurlEasyScope& get() { return *this; }
    void release() {}
};
