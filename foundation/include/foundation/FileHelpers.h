#pragma once

#include <cstdint>
#include <string>

// Path and file helpers on standard strings.

// GetFullPathNameW of a path of at most 259 characters; out is empty when that fails. False for
// a null path.
bool getFullPath(const wchar_t* path, std::wstring& out);
// The parts of the full form of path, with '/' separators: drive "C:/", folder "Users/a/", name,
// extension with its ".", the last non-empty folder and drive + folder. False when a part is too
// long; the outputs are then empty.
bool splitPath(const wchar_t* path,
               std::wstring& drive,
               std::wstring& folder,
               std::wstring& name,
               std::wstring& extension,
               std::wstring& lastFolder,
               std::wstring& driveAndFolder);
// Writes size bytes to a new file (replacing one that exists); a failed write deletes the file.
bool writeBufferToFile(const void* data, uint32_t size, std::wstring path);
bool fileExists(std::wstring path);
bool isDirectory(const wchar_t* path);
// The folder with a trailing "\"; false when the call fails or the folder does not fit 260 characters.
bool getCurrentDir(std::wstring& out);
bool getSystemDir(std::wstring& out);
bool getModuleFilePath(std::wstring& out);
// Size in bytes (low 32 bits); -1 for a null path or a file that is missing or cannot be opened.
int32_t getFileSize(const wchar_t* path);
// Copies through the shell without any dialog, overwriting the target.
bool copyFileSilently(std::wstring source, std::wstring target);
// Up to count bytes of a file; false for an empty path or a file that does not open.
bool readFileToBuffer(std::string path, unsigned char* buffer, uint32_t count);
// The whole file as wide text, its bytes read in the simplified-Chinese code page (936).
bool readFileToWide(std::string path, std::wstring& out);
