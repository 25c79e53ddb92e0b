#pragma once

#include <windows.h>

#include <soui/SString.h>

#include <string>

// The per-user data folder "<local app data>\BravikPdfEditor\" with its settings file and the
// log, cookie and cache folders. Every path is computed afresh; folder paths end with "\".
// Each operation has a form that takes the local application data folder (no trailing "\"), so
// that tests can work in a folder of their own; the plain forms ask the shell for it.

// The shell's local application data folder without a trailing "\"; empty when unavailable.
SOUI::SStringW getLocalAppDataDir();
SOUI::SStringW appFolderName();

SOUI::SStringW getDataDir(const SOUI::SStringW& localAppData);
SOUI::SStringW getLogDir();
SOUI::SStringW getLogDir(const SOUI::SStringW& localAppData);
SOUI::SStringW getCookieDir();
SOUI::SStringW getCookieDir(const SOUI::SStringW& localAppData);
SOUI::SStringW getCacheDir();
SOUI::SStringW getCacheDir(const SOUI::SStringW& localAppData);
SOUI::SStringW getConfigFilePath();
SOUI::SStringW getConfigFilePath(const SOUI::SStringW& localAppData);
SOUI::SStringW getCookieFilePath();
SOUI::SStringW getCookieFilePath(const SOUI::SStringW& localAppData);

// Creates the data folder and its three sub-folders when missing and writes the default settings
// file when there is none; an existing settings file is never touched. Removes the temporary files
// that a settings writer ended half-way left behind. Failures are ignored.
void prepareDataDir();
void prepareDataDir(const SOUI::SStringW& localAppData);

// The eight lines of a new settings file, without their line ends.
extern const wchar_t* const kDefaultSettingsLines[8];

// The executable's folder (at most 259 characters, no trailing "\").
void getExeDir(wchar_t (&folder)[MAX_PATH]);
SOUI::SStringW getExeDirConfigFilePath();
bool setCurrentDirToExeDir();
bool setCurrentDirToDataDir();
bool setCurrentDirToDataDir(const SOUI::SStringW& localAppData);
// The desktop folder; the buffer is left untouched when the shell cannot give it.
bool getDesktopDir(wchar_t (&folder)[MAX_PATH]);

// "<log folder>YYYYMMDDhhmmss.log" from the UTC time.
SOUI::SStringW makeLogFilePath();
SOUI::SStringW makeLogFilePath(const SOUI::SStringW& localAppData, const SYSTEMTIME& utc);
// Writes the bytes of text to a new file named as makeLogFilePath; false when it cannot be made.
bool writeLogFile(const SOUI::SStringA& text);
bool writeLogFile(const SOUI::SStringW& localAppData, const SYSTEMTIME& utc, const SOUI::SStringA& text);
