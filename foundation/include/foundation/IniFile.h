#pragma once

#include <string>

// The settings file format: "[section]" headers and "key = value" lines, matched after every
// blank (0x20) is removed; only the first section of a name counts. Paths are ANSI texts.
// A write rewrites the whole file through the copy path + ".zbk", which stays beside it.

std::string readIniString(std::string section, std::string key, std::string defaultValue, std::string path);
int readIniInt(std::string section, std::string key, std::string path, int defaultValue);
double readIniDouble(std::string section, std::string key, std::string path, double defaultValue);

// False when the file cannot be read (a missing file is never created), the copy cannot be made or
// the file cannot be replaced; the file then keeps its previous content.
bool writeIniString(std::string section, std::string key, std::string value, std::string path);
bool writeIniInt(std::string section, std::string key, std::string path, int value);
bool writeIniDouble(std::string section, std::string key, std::string path, double value);

std::string removeSpaces(std::string line);
