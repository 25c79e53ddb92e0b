#include "foundation/IniFile.h"

#include <io.h>
#include <stdio.h>

#include <cstdlib>
#include <sstream>

#include "foundation/FileReplace.h"

namespace {

// A C runtime stream, closed when it goes out of scope.
class TextFile {
  public:
    TextFile(const std::string& path, const char* mode) : file_(std::fopen(path.c_str(), mode)) {}
    ~TextFile() { close(); }
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }

    // One line without its end; text mode turns CR LF into LF. False at the end of the file.
    bool readLine(std::string& line) {
        line.clear();
        int c = std::fgetc(file_);
        if (c == EOF) {
            return false;
        }
        while (c != EOF && c != '\n') {
            line += static_cast<char>(c);
            c = std::fgetc(file_);
        }
        return true;
    }

    // Text mode writes "\n" as CR LF.
    void writeLine(const std::string& line) {
        std::fputs(line.c_str(), file_);
        std::fputc('\n', file_);
    }

    // Flushed to the disk, so a rename that follows never publishes a partial file.
    bool closeDurably() {
        const bool ok = std::fflush(file_) == 0 && !std::ferror(file_) && _commit(_fileno(file_)) == 0;
        return close() && ok;
    }

    bool close() {
        if (file_ == nullptr) {
            return true;
        }
        const bool ok = std::fclose(file_) == 0;
        file_ = nullptr;
        return ok;
    }

  private:
    FILE* file_;
};

bool startsWithKeyAndEquals(const std::string& stripped, const std::string& key) {
    return stripped.size() > key.size() && stripped.compare(0, key.size(), key) == 0 && stripped[key.size()] == '=';
}

bool isSectionStart(const std::string& stripped) {
    return !stripped.empty() && stripped[0] == '[';
}

template <class Number>
std::string numberText(Number value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

// Phase 1 of a write: the settings copy with the pair replaced or inserted.
bool writeSettingsCopy(const std::string& section,
                       const std::string& key,
                       const std::string& value,
                       const std::string& path,
                       const std::string& copyPath) {
    TextFile in(path, "r");
    TextFile out(copyPath, "w");
    if (!in.isOpen() || !out.isOpen()) {
        return false;
    }
    const std::string target = "[" + section + "]";
    const std::string pairLine = key + " = " + value;
    bool done = false;
    std::string line;
    while (in.readLine(line)) {
        out.writeLine(line);
        if (done || removeSpaces(line) != target) {
            continue;
        }
        bool bodyEnded = false;
        while (in.readLine(line)) {
            const std::string stripped = removeSpaces(line);
            if (isSectionStart(stripped)) {
                out.writeLine(pairLine);
                out.writeLine(line);
                bodyEnded = true;
                break;
            }
            if (startsWithKeyAndEquals(stripped, key)) {
                out.writeLine(pairLine);
                bodyEnded = true;
                break;
            }
            out.writeLine(line);
        }
        if (!bodyEnded) {
            out.writeLine(pairLine);
        }
        done = true;
    }
    if (!done) {
        out.writeLine(target);
        out.writeLine(pairLine);
    }
    return out.closeDurably();
}

// Phase 2: the settings file becomes a line-by-line copy of the settings copy. The copy goes to a
// temporary file first and replaces the settings file in one step: a second instance writes the
// same file at start-up, and a process that dies half-way must not leave it empty or cut short.
bool copyBack(const std::string& copyPath, const std::string& path) {
    const std::string temporary = temporaryPathBeside(path);
    bool copied = false;
    bool created = false;
    {
        TextFile in(copyPath, "r");
        TextFile out(temporary, "w");
        created = out.isOpen();
        if (in.isOpen() && out.isOpen()) {
            std::string line;
            while (in.readLine(line)) {
                out.writeLine(line);
            }
            copied = out.closeDurably();
        }
    }
    if (copied && replaceFileAtomically(temporary, path)) {
        return true;
    }
    if (created) {
        std::remove(temporary.c_str());
    }
    return false;
}

}  // namespace

std::string removeSpaces(std::string line) {
    std::erase(line, ' ');
    return line;
}

std::string readIniString(std::string section, std::string key, std::string defaultValue, std::string path) {
    TextFile in(path, "r");
    if (!in.isOpen()) {
        return defaultValue;
    }
    const std::string target = "[" + section + "]";
    std::string line;
    while (in.readLine(line)) {
        if (removeSpaces(line) == target) {
            break;
        }
    }
    while (in.readLine(line)) {
        const std::string stripped = removeSpaces(line);
        if (isSectionStart(stripped)) {
            return defaultValue;
        }
        // The reader needs a byte after "=": an empty value is passed over.
        if (stripped.size() >= key.size() + 2 && startsWithKeyAndEquals(stripped, key)) {
            return stripped.substr(key.size() + 1);
        }
    }
    return defaultValue;
}

int readIniInt(std::string section, std::string key, std::string path, int defaultValue) {
    return std::atoi(readIniString(section, key, numberText(defaultValue), path).c_str());
}

double readIniDouble(std::string section, std::string key, std::string path, double defaultValue) {
    return std::atof(readIniString(section, key, numberText(defaultValue), path).c_str());
}

bool writeIniString(std::string section, std::string key, std::string value, std::string path) {
    const std::string copyPath = path + ".zbk";
    if (!writeSettingsCopy(section, key, value, path, copyPath)) {
        return false;
    }
    return copyBack(copyPath, path);
}

bool writeIniInt(std::string section, std::string key, std::string path, int value) {
    return writeIniString(section, key, numberText(value), path);
}

bool writeIniDouble(std::string section, std::string key, std::string path, double value) {
    return writeIniString(section, key, numberText(value), path);
}
