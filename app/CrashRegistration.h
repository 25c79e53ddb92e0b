#pragma once

class CDumpCatchObserverBase;

// Loads "crashkeep.dll" and gives its manager the observer. Each failure (library, export, or no
// interface object) shows its message box and registers nothing; the library is never unloaded.
void registerCrashObserver(CDumpCatchObserverBase* observer);
