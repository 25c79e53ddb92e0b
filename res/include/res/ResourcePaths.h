#pragma once

// Names of every resource of the executable, "TYPE:NAME" as the UI library reads them. The code
// names each resource by its literal where it uses it; this table is the inventory.

inline constexpr int kResourcePathCount = 62;

extern const wchar_t* const ResourcePaths[kResourcePathCount];
