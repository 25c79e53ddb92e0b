#include "foundation/IniFile.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "foundation/CodePage.h"
#include "foundation/FileReplace.h"
#include "foundation/PathLock.h"
#include "foundation/UniqueHandle.h"
#include "foundation/Utf16Units.h"

namespace {

// A holder keeps the lock for a few file operations; one that keeps it longer is stuck, and the
// waiting write then fails instead of freezing its caller.
constexpr DWORD kLockWaitMs = 5000;

UniqueHandle openFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
    std::wstring wide;
    if (!acpToWide(path, wide)) {
        return UniqueHandle();
    }
    return UniqueHandle(CreateFileW(wide.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Every byte of the file. Readers let others delete the file, so that Windows lets a writer replace
// it while it is being read; the reader keeps the content it opened.
bool readWholeFile(const std::string& path, std::string& bytes) {
    const UniqueHandle file =
        openFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (!file.valid()) {
        return false;
    }
    bytes.clear();
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof(chunk), &read, nullptr)) {
        if (read == 0) {
            return true;
        }
        bytes.append(chunk, read);
    }
    return false;
}

// A new or emptied file.
UniqueHandle createFile(const std::string& path) {
    return openFile(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, CREATE_ALWAYS);
}

// Flushed to the disk, so a rename that follows never publishes a partial file.
bool writeDurably(const UniqueHandle& file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file.get());
}

// The caller's ANSI texts in the file's own form, and the file's texts back in ANSI. The caller's
// texts are in the thread's code page.
bool toFileForm(const std::string& ansi, IniEncoding encoding, std::string& out) {
    if (encoding == IniEncoding::Bytes) {
        out = ansi;
        return true;
    }
    std::wstring wide;
    return multiByteToWide(CP_THREAD_ACP, ansi, wide) && wideToUtf8(wide, out);
}

bool toFileForm(const std::string& ansi, IniEncoding, std::u16string& out) {
    std::wstring wide;
    if (!multiByteToWide(CP_THREAD_ACP, ansi, wide)) {
        return false;
    }
    out = toUtf16(wide);
    return true;
}

bool fromFileForm(const std::string& text, IniEncoding encoding, std::string& ansi) {
    if (encoding == IniEncoding::Bytes) {
        ansi = text;
        return true;
    }
    std::wstring wide;
    return utf8ToWide(text, wide) && wideToMultiByte(CP_THREAD_ACP, wide, ansi);
}

bool fromFileForm(const std::u16string& units, IniEncoding, std::string& ansi) {
    return wideToMultiByte(CP_THREAD_ACP, fromUtf16(units), ansi);
}

bool isUtf16(IniEncoding encoding) {
    return encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be;
}

template <class Text>
std::optional<std::string> findIn(const Text& text,
                                  IniEncoding encoding,
                                  const std::string& section,
                                  const std::string& key) {
    Text fileSection;
    Text fileKey;
    if (!toFileForm(section, encoding, fileSection) || !toFileForm(key, encoding, fileKey)) {
        return std::nullopt;
    }
    const std::optional<Text> value = findIniValue(text, fileSection, fileKey);
    std::string ansi;
    if (!value || !fromFileForm(*value, encoding, ansi)) {
        return std::nullopt;
    }
    return ansi;
}

template <class Text>
bool setIn(Text& text,
           IniEncoding encoding,
           const std::string& section,
           const std::string& key,
           const std::string& value) {
    Text fileSection;
    Text fileKey;
    Text fileValue;
    if (!toFileForm(section, encoding, fileSection) || !toFileForm(key, encoding, fileKey) ||
        !toFileForm(value, encoding, fileValue)) {
        return false;
    }
    text = setIniValue(text, fileSection, fileKey, fileValue);
    return true;
}

template <class Number>
std::string numberText(Number value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

// Phase 1 of a write: the settings copy with the pair replaced or inserted, in the file's encoding.
// Both files are opened before either is tested, so a missing settings file leaves an empty copy.
bool writeSettingsCopy(const std::string& section,
                       const std::string& key,
                       const std::string& value,
                       const std::string& path,
                       const std::string& copyPath) {
    std::string bytes;
    const bool read = readWholeFile(path, bytes);
    const UniqueHandle copy = createFile(copyPath);
    if (!read || !copy.valid()) {
        return false;
    }
    IniFileText text = splitIniFile(bytes);
    const bool set = isUtf16(text.encoding) ? setIn(text.units, text.encoding, section, key, value)
                                            : setIn(text.narrow, text.encoding, section, key, value);
    return set && writeDurably(copy, joinIniFile(text));
}

// Phase 2: the settings file becomes a copy of the settings copy. The copy goes to a temporary file
// first and replaces the settings file in one step: a process that dies half-way must not leave it
// empty or cut short, and a reader sees the old or the new file, never a part.
bool copyBack(const std::string& copyPath, const std::string& path) {
    std::string bytes;
    if (!readWholeFile(copyPath, bytes)) {
        return false;
    }
    const std::string temporary = temporaryPathBeside(path);
    bool written = false;
    {
        const UniqueHandle out = createFile(temporary);
        if (!out.valid()) {
            return false;
        }
        written = writeDurably(out, bytes);
    }
    if (written && replaceFileAtomically(temporary, path)) {
        return true;
    }
    std::remove(temporary.c_str());
    return false;
}

// The key's value, read while the caller holds the file's lock (or could not get it).
std::string readValue(const std::string& section,
                      const std::string& key,
                      const std::string& defaultValue,
                      const std::string& path) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        return defaultValue;
    }
    const IniFileText text = splitIniFile(bytes);
    const std::optional<std::string> value = isUtf16(text.encoding) ? findIn(text.units, text.encoding, section, key)
                                                                    : findIn(text.narrow, text.encoding, section, key);
    return value.value_or(defaultValue);
}

// The pair written while the caller holds the file's lock. Every writer of the file uses the same
// settings copy and rewrites the whole file.
bool writeValue(const std::string& section, const std::string& key, const std::string& value, const std::string& path) {
    const std::string copyPath = path + ".zbk";
    return writeSettingsCopy(section, key, value, path, copyPath) && copyBack(copyPath, path);
}

}  // namespace

std::string readIniString(std::string section, std::string key, std::string defaultValue, std::string path) {
    // Readers take the writers' lock too: a file that is open cannot be replaced under Wine, whatever
    // its sharing. A reader that does not get it reads all the same: the file is only replaced whole.
    const PathLock lock(path, kLockWaitMs);
    return readValue(section, key, defaultValue, path);
}

int readIniInt(std::string section, std::string key, std::string path, int defaultValue) {
    return std::atoi(readIniString(section, key, numberText(defaultValue), path).c_str());
}

double readIniDouble(std::string section, std::string key, std::string path, double defaultValue) {
    return std::atof(readIniString(section, key, numberText(defaultValue), path).c_str());
}

bool writeIniString(std::string section, std::string key, std::string value, std::string path) {
    const PathLock lock(path, kLockWaitMs);
    return lock.acquired() && writeValue(section, key, value, path);
}

IniExchange exchangeIniString(std::string section,
                              std::string key,
                              const std::optional<std::string>& expected,
                              std::string replacement,
                              std::string path) {
    // The read and the write under one hold of the lock: no other reader or writer of the file comes
    // in between.
    const PathLock lock(path, kLockWaitMs);
    IniExchange exchange{readValue(section, key, std::string(), path), false};
    if (lock.acquired() && (!expected || *expected == exchange.previous)) {
        exchange.replaced = writeValue(section, key, replacement, path);
    }
    return exchange;
}

bool writeIniInt(std::string section, std::string key, std::string path, int value) {
    return writeIniString(section, key, numberText(value), path);
}

bool writeIniDouble(std::string section, std::string key, std::string path, double value) {
    return writeIniString(section, key, numberText(value), path);
}

void removeStaleIniTemporaries(std::string path) {
    // No wait: while a writer holds the lock its file is live, and a stale one can go next time.
    const PathLock lock(path, 0);
    if (lock.acquired()) {
        removeTemporariesBeside(path);
    }
}
