#pragma once

// Creates every missing folder along a path ('\' or '/' separated, trailing separators ignored).
// 0 on success (also for a null narrow path), -1 on failure; folders made before a failure stay.
int makeDirs(const char* path);
// The path goes through the OEM code page first; a null path gives -1.
int makeDirs(const wchar_t* path);
