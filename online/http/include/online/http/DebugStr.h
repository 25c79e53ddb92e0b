#pragma once

// A debug-output helper object without state; nothing creates one.
class CDebugStr {
  public:
    virtual ~CDebugStr() = default;

    virtual bool isEnabled() { return true; }
    virtual bool isReady() { return true; }
    virtual bool isOpen() { return true; }
    virtual void reset() {}
    virtual void flush() {}
};
