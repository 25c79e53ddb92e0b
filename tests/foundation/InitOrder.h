#pragma once

#include <string>
#include <vector>

// Names of the static objects of the order test, in the order they were built.
inline std::vector<std::string>& initOrder() {
    static std::vector<std::string> order;
    return order;
}

struct InitRecorder {
    explicit InitRecorder(const char* name) { initOrder().push_back(name); }
};
