#pragma once

#include <string>

// Moves source over target in one step, so a reader sees either the old or the new target and
// never a part of it. Both are ANSI paths on one volume.
bool replaceFileAtomically(const std::string& source, const std::string& target);

// Makes target with these bytes in one step: written to a temporary file beside it, flushed, and
// renamed to target only when target does not exist, so a reader sees no file or all of it and an
// existing target is never replaced. False when target exists or cannot be made.
bool createFileAtomically(const std::string& target, const std::string& bytes);

// A name beside path that no other process uses for its own temporary copy.
std::string temporaryPathBeside(const std::string& path);

// Deletes every file beside path named as temporaryPathBeside names them, for any process. Only
// for a caller that knows that no writer of path is at work.
void removeTemporariesBeside(const std::string& path);
