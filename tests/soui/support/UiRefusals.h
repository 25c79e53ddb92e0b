#pragma once

#include <string>
#include <vector>

namespace souitest {

// The UI library's refusals in this process since the last take, as their journal lines
// ("refused <what>: <reason>"). Every test of a process that links the watch (RefusalWatch.cpp)
// takes them at its start and fails when any are left at its end; a test that provokes refusals
// takes its own and checks them.
std::vector<std::wstring> takeRefusals();

// The lines joined, one a line, for a failure message.
std::string describe(const std::vector<std::wstring>& lines);

}  // namespace souitest
