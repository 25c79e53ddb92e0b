#pragma once

#include <windows.h>

namespace SOUI {

class SWindow;

// Event ids a host's _HandleEvent receives.
enum {
    EVT_CMD = 10000,          // a button or link was clicked
    EVT_MOUSE_HOVER = 10001,  // the mouse entered an element
    EVT_MOUSE_LEAVE = 10002,  // the mouse left it
};

// An event of an element, delivered to its host's _HandleEvent.
class EventArgs {
  public:
    EventArgs(SWindow* from, int eventId, int id, LPCWSTR name)
        : sender(from), idFrom(id), nameFrom(name), id_(eventId) {}
    virtual ~EventArgs() = default;
    int GetID() const { return id_; }

    SWindow* sender;   // the element; valid while the event is handled
    int idFrom;        // the sender's ID
    LPCWSTR nameFrom;  // the sender's name, null when it has none
    BOOL handled = FALSE;

  private:
    int id_;
};

class EventCmd : public EventArgs {
  public:
    EventCmd(SWindow* from, int id, LPCWSTR name) : EventArgs(from, EVT_CMD, id, name) {}
};

}  // namespace SOUI
