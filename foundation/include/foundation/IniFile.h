#pragma once

#include <optional>
#include <string>

#include "foundation/IniText.h"

// The settings file format (IniText.h) on files: section, key and value are texts of the ANSI code
// page; paths are ANSI texts. A file that begins with a UTF-8 or UTF-16 byte-order mark is read and
// written in its own encoding, the texts converted to and from it.
// A write rewrites the whole file through the copy path + ".zbk", which stays beside it.

std::string readIniString(std::string section, std::string key, std::string defaultValue, std::string path);
int readIniInt(std::string section, std::string key, std::string path, int defaultValue);
double readIniDouble(std::string section, std::string key, std::string path, double defaultValue);

// Readers and writers of one file, in any process of the session, take their turns.
// False when the file cannot be read (a missing file is never created), another user of the file
// keeps it busy, the copy cannot be made or the file cannot be replaced; the file then keeps its
// previous content.
bool writeIniString(std::string section, std::string key, std::string value, std::string path);
bool writeIniInt(std::string section, std::string key, std::string path, int value);
bool writeIniDouble(std::string section, std::string key, std::string path, double value);

// Reads the key and, when its value equals `expected` (whatever it is without one), writes
// `replacement` in its place, as one step: no other reader or writer of the file in this session
// comes in between. Without the lock the value is still read, as readIniString reads it, but
// nothing is written.
struct IniExchange {
    std::string previous;   // the value read; empty when the key or the file is missing
    bool replaced = false;  // the replacement was written
};
IniExchange exchangeIniString(std::string section,
                              std::string key,
                              const std::optional<std::string>& expected,
                              std::string replacement,
                              std::string path);

// Removes the temporary files that a writer ended half-way left beside the file. Nothing happens
// while another writer is at work: its temporary file is not stale.
void removeStaleIniTemporaries(std::string path);
