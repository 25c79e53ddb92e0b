#pragma once

#include <string>

#include "foundation/UniqueHandle.h"

// Holds a named mutex whose name follows from a file's full path (letter case ignored), so that the
// processes of this session that change that file do it one after the other. A mutex left owned by
// a process or thread that ended counts as acquired: the file itself is always whole, since it is
// only ever replaced in one step. The wait is bounded; see acquired().
class PathLock {
  public:
    PathLock(const std::string& ansiPath, DWORD timeoutMs);
    ~PathLock();
    PathLock(const PathLock&) = delete;
    PathLock& operator=(const PathLock&) = delete;

    // False when the mutex could not be made or another holder kept it for the whole wait.
    bool acquired() const { return acquired_; }

  private:
    UniqueHandle mutex_;
    bool acquired_ = false;
};
