#pragma once

#include <string_view>

// True when `online` sorts after `current` as bytes: unsigned, in order, and a text that is a
// prefix of the other is the smaller. So "328" is newer than "327", and "1000" is not newer than
// "999".
bool isNewerVersion(std::string_view online, std::string_view current);
