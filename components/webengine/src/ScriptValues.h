#pragma once

// Script values handed to bound functions as 64-bit jsValues, and the states of running calls.
//
// A jsValue is 0 for undefined, or a handle: bit 62 set, a 24-bit generation in bits 32-55 and
// an index into the table in bits 0-31. The table lives while a bound call runs (calls may nest)
// and is emptied, with a new generation, when the outermost one returns: an old handle then
// reads as undefined instead of as another value.

#include <webengine/wke.h>

#include <deque>
#include <string>
#include <vector>

#include "Script.h"

namespace wke {

// What jsExecState points to during one bound call.
struct ExecState {
    std::vector<jsValue> args;
    std::deque<std::wstring> texts;  // results of jsToStringW, alive until the call returns
};

class ScriptValues {
  public:
    jsValue put(const js::Value& v);
    // The value of a handle; undefined for 0, a stale or an unknown handle.
    js::Value get(jsValue handle) const;

    // Marks a bound call running with its state; the outermost end empties the table.
    void enter(ExecState* es);
    void leave(ExecState* es);
    // es is the state of a call that is running now.
    bool running(const ExecState* es) const;

  private:
    std::vector<js::Value> values_;
    std::vector<ExecState*> running_;
    unsigned generation_ = 1;
};

}  // namespace wke
