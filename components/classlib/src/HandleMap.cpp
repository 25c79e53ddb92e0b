#include "HandleMap.h"

#include <map>
#include <memory>

#include "classlib/Wnd.h"

namespace classlib_detail {
namespace {

struct Maps {
    std::map<HWND, CWnd*> permanent;
    // Wrappers of foreign windows live until the process ends, so a pointer handed out stays valid;
    // asking again for the same handle gives the same object.
    std::map<HWND, std::unique_ptr<CWnd>> wrappers;
};

Maps& maps() {
    static Maps m;
    return m;
}

}  // namespace

void mapPermanent(HWND hwnd, CWnd* wnd) {
    maps().permanent[hwnd] = wnd;
}

void unmapPermanent(HWND hwnd, CWnd* wnd) {
    auto it = maps().permanent.find(hwnd);
    if (it != maps().permanent.end() && it->second == wnd) {
        maps().permanent.erase(it);
    }
}

CWnd* permanentWindow(HWND hwnd) {
    auto it = maps().permanent.find(hwnd);
    return it == maps().permanent.end() ? nullptr : it->second;
}

CWnd* wrapperFor(HWND hwnd) {
    auto& slot = maps().wrappers[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
    }
    slot->m_hWnd = hwnd;
    return slot.get();
}

}  // namespace classlib_detail
