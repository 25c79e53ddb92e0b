#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "foundation/Utf16Units.h"

// Which user ids reported by the sign-in page the program takes. The id becomes a line of the
// settings file and a raw field of the account service's queries, so text that could cut either
// is refused: an empty id, one longer than kMaxSignInIdLength UTF-16 units, a control character,
// any kind of blank or line break, a broken surrogate pair, or one of ; & = # % + " ' \ .
// No Windows calls: the rule is built and fuzzed natively too.

inline constexpr std::size_t kMaxSignInIdLength = 128;

bool isAcceptedSignInId(std::u16string_view id) noexcept;

// The same rule over the web engine's wide text.
inline bool isAcceptedSignInId(std::wstring_view id) {
    return isAcceptedSignInId(toUtf16(id));
}
