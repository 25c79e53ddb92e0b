#pragma once

// What a wkeString handle points to.

#include <string>

struct wkeStringObject {
    std::wstring text;
};
