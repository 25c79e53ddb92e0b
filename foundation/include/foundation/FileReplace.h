#pragma once

#include <string>

// Moves source over target in one step, so a reader sees either the old or the new target and
// never a part of it. Both are ANSI paths on one volume.
bool replaceFileAtomically(const std::string& source, const std::string& target);

// A name beside path that no other process uses for its own temporary copy.
std::string temporaryPathBeside(const std::string& path);

// Deletes every file beside path named as temporaryPathBeside names them, for any process. Only
// for a caller that knows that no writer of path is at work.
void removeTemporariesBeside(const std::string& path);
