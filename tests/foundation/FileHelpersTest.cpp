#include <windows.h>

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <string>

#include "ScratchDir.h"
#include "foundation/FileHelpers.h"

namespace fs = std::filesystem;

namespace {

struct Parts {
    std::wstring drive, folder, name, extension, lastFolder, driveAndFolder;
};

bool split(const std::wstring& path, Parts& p) {
    return splitPath(path.c_str(), p.drive, p.folder, p.name, p.extension, p.lastFolder, p.driveAndFolder);
}

TEST(SplitPath, FileAndFolderPaths) {
    Parts p;
    ASSERT_TRUE(split(L"C:\\Users\\a\\file.txt", p));
    EXPECT_EQ(p.drive, L"C:/");
    EXPECT_EQ(p.folder, L"Users/a/");
    EXPECT_EQ(p.name, L"file");
    EXPECT_EQ(p.extension, L".txt");
    EXPECT_EQ(p.lastFolder, L"a");
    EXPECT_EQ(p.driveAndFolder, L"C:/Users/a/");

    ScratchDir scratch;
    fs::create_directories(scratch.path() / "last");
    ASSERT_TRUE(split((scratch.path() / "last").wstring(), p));
    EXPECT_EQ(p.name, L"");
    EXPECT_EQ(p.extension, L"");
    EXPECT_EQ(p.lastFolder, L"last");
    EXPECT_EQ(p.drive, L"C:/");
}

TEST(SplitPath, TooLongPartFailsWithEmptyOutputs) {
    Parts p;
    p.name = L"stale";
    const std::wstring longName = L"C:\\" + std::wstring(250, L'n') + L"." + std::wstring(5, L'e');
    EXPECT_TRUE(split(longName, p)) << "fits";
    EXPECT_EQ(p.extension, L".eeeee");
    const std::wstring tooLong = L"C:\\" + std::wstring(256, L'n');
    EXPECT_FALSE(split(tooLong, p));
    EXPECT_EQ(p.name, L"");
    EXPECT_EQ(p.drive, L"");
}

TEST(SplitPath, NullPathGivesEmptyParts) {
    Parts p;
    p.folder = L"stale";
    EXPECT_TRUE(splitPath(nullptr, p.drive, p.folder, p.name, p.extension, p.lastFolder, p.driveAndFolder));
    EXPECT_EQ(p.folder + p.drive + p.name + p.extension + p.lastFolder + p.driveAndFolder, L"");
}

TEST(GetFullPath, NullAndOversizedPaths) {
    std::wstring out = L"stale";
    EXPECT_FALSE(getFullPath(nullptr, out));
    EXPECT_EQ(out, L"stale");
    EXPECT_TRUE(getFullPath(L"C:\\a\\..\\b", out));
    EXPECT_EQ(out, L"C:\\b");
    const std::wstring huge = L"C:\\" + std::wstring(400, L'x');
    EXPECT_TRUE(getFullPath(huge.c_str(), out));
    EXPECT_EQ(out, L"") << "a full path that does not fit is left empty";
}

TEST(WriteBufferToFile, WritesCreatesAndRefuses) {
    ScratchDir scratch;
    const fs::path file = scratch.path() / "data.bin";
    const std::string bytes("a\r\nb\0c", 6);
    EXPECT_TRUE(writeBufferToFile(bytes.data(), static_cast<uint32_t>(bytes.size()), file.wstring()));
    EXPECT_EQ(ScratchDir::readBytes(file), bytes);
    EXPECT_TRUE(writeBufferToFile("xy", 2, file.wstring()));
    EXPECT_EQ(ScratchDir::readBytes(file), "xy") << "an existing file is replaced";
    EXPECT_FALSE(writeBufferToFile("x", 0, (scratch.path() / "empty").wstring()));
    EXPECT_FALSE(fs::exists(scratch.path() / "empty"));
    EXPECT_FALSE(writeBufferToFile(nullptr, 3, (scratch.path() / "null").wstring()));
    EXPECT_FALSE(writeBufferToFile("x", 1, L""));
    EXPECT_FALSE(writeBufferToFile("x", 1, (scratch.path() / "no" / "folder").wstring()));
}

TEST(FileQueries, ExistenceFoldersAndSizes) {
    ScratchDir scratch;
    const fs::path file = scratch.path() / "five";
    ScratchDir::writeBytes(file, "12345");
    EXPECT_TRUE(fileExists(file.wstring()));
    EXPECT_FALSE(fileExists((scratch.path() / "none").wstring()));
    EXPECT_TRUE(isDirectory(scratch.wide().c_str()));
    EXPECT_FALSE(isDirectory(file.wstring().c_str()));
    EXPECT_FALSE(isDirectory(nullptr));
    EXPECT_EQ(getFileSize(file.wstring().c_str()), 5);
    EXPECT_EQ(getFileSize((scratch.path() / "none").wstring().c_str()), -1);
    EXPECT_EQ(getFileSize(nullptr), -1);
}

TEST(SystemFolders, EndWithABackslash) {
    std::wstring current;
    ASSERT_TRUE(getCurrentDir(current));
    EXPECT_EQ(current.back(), L'\\');
    EXPECT_TRUE(fs::is_directory(fs::path(current)));
    std::wstring system;
    ASSERT_TRUE(getSystemDir(system));
    EXPECT_EQ(system.back(), L'\\');
    EXPECT_TRUE(fs::exists(fs::path(system) / "kernel32.dll"));
    std::wstring module;
    ASSERT_TRUE(getModuleFilePath(module));
    EXPECT_EQ(fs::path(module).filename(), L"foundation_tests.exe");
}

TEST(CopyFileSilently, OverwritesWithoutAsking) {
    ScratchDir scratch;
    const fs::path source = scratch.path() / "source.txt";
    const fs::path target = scratch.path() / "target.txt";
    ScratchDir::writeBytes(source, "new");
    ScratchDir::writeBytes(target, "old content");
    EXPECT_TRUE(copyFileSilently(source.wstring(), target.wstring()));
    EXPECT_EQ(ScratchDir::readBytes(target), "new");
    EXPECT_FALSE(copyFileSilently((scratch.path() / "missing").wstring(), target.wstring()));
}

class FileReaders : public testing::Test {
  protected:
    ~FileReaders() override { std::setlocale(LC_ALL, "C"); }
    ScratchDir scratch_;
};

TEST_F(FileReaders, ReadFileToBufferReadsUpToCount) {
    const fs::path file = scratch_.path() / "bytes";
    ScratchDir::writeBytes(file, "abc\r\ndef");
    unsigned char buffer[16] = {};
    EXPECT_TRUE(readFileToBuffer(file.string(), buffer, 5));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer)), "abc\r\n");
    unsigned char big[16] = {};
    EXPECT_TRUE(readFileToBuffer(file.string(), big, sizeof(big))) << "fewer bytes than asked";
    EXPECT_EQ(std::string(reinterpret_cast<char*>(big)), "abc\r\ndef");
    EXPECT_FALSE(readFileToBuffer("", buffer, 1));
    EXPECT_FALSE(readFileToBuffer((scratch_.path() / "none").string(), buffer, 1));
}

TEST_F(FileReaders, ReadFileToWideGivesTheWholeGbkText) {
    const fs::path file = scratch_.path() / "text";
    ScratchDir::writeBytes(file, std::string("\xCC\xE1\xCA\xBE\r\nx\0y", 9));
    std::wstring text = L"stale";
    EXPECT_TRUE(readFileToWide(file.string(), text));
    EXPECT_EQ(text, std::wstring(L"提示\r\nx\0y", 7));
    ScratchDir::writeBytes(file, "");
    EXPECT_TRUE(readFileToWide(file.string(), text));
    EXPECT_EQ(text, L"");
    text = L"kept";
    EXPECT_FALSE(readFileToWide((scratch_.path() / "none").string(), text));
    EXPECT_EQ(text, L"kept");
}

}  // namespace
