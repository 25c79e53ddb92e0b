#pragma once

// Named control IDs of the layouts. The UI library gives a layout element that has a name the ID of
// that name from this table, so code and layouts agree on IDs without numbering every element.

#include <soui/TNamedValue.h>

inline constexpr int kNamedWidgetCount = 46;

// Sorted by name in ordinal UTF-16 order (case-sensitive), as the library's binary search expects.
extern const SOUI::TNAMEDVALUE<int> NamedWidgetIds[kNamedWidgetCount];

// One pointer per record, to that record's name.
extern const wchar_t* const NamedWidgetNames[kNamedWidgetCount];
