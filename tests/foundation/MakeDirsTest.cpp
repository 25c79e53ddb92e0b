#include <gtest/gtest.h>

#include <filesystem>

#include "ScratchDir.h"
#include "foundation/MakeDirs.h"

namespace fs = std::filesystem;

namespace {

TEST(MakeDirs, CreatesEveryMissingFolder) {
    ScratchDir scratch;
    const std::string nested = scratch.narrow() + "\\a\\b/c";
    EXPECT_EQ(makeDirs(nested.c_str()), 0);
    EXPECT_TRUE(fs::is_directory(scratch.path() / "a" / "b" / "c"));
    EXPECT_EQ(makeDirs(nested.c_str()), 0) << "all folders exist";
}

TEST(MakeDirs, TrailingSeparatorsAreIgnored) {
    ScratchDir scratch;
    const std::string path = scratch.narrow() + "\\x\\y\\\\//";
    EXPECT_EQ(makeDirs(path.c_str()), 0);
    EXPECT_TRUE(fs::is_directory(scratch.path() / "x" / "y"));
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path() / "x" / "y"), fs::directory_iterator()), 0);
}

TEST(MakeDirs, Failures) {
    ScratchDir scratch;
    ScratchDir::writeBytes(scratch.path() / "file", "x");
    const std::string onFile = scratch.narrow() + "\\file";
    EXPECT_EQ(makeDirs(onFile.c_str()), -1) << "last element is a file";
    const std::string underFile = scratch.narrow() + "\\file\\sub";
    EXPECT_EQ(makeDirs(underFile.c_str()), -1);
    EXPECT_EQ(makeDirs("\\leading\\separator"), -1);
    EXPECT_EQ(makeDirs("\\\\"), -1);
    EXPECT_EQ(makeDirs(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(makeDirs(static_cast<const wchar_t*>(nullptr)), -1);
}

TEST(MakeDirs, WidePathGoesThroughTheOemCodePage) {
    ScratchDir scratch;
    const std::wstring ascii = scratch.wide() + L"\\w1\\w2";
    EXPECT_EQ(makeDirs(ascii.c_str()), 0);
    EXPECT_TRUE(fs::is_directory(fs::path(ascii)));
    if (!scratch.nonAsciiNamesWork()) {
        GTEST_SKIP() << "the Wine prefix cannot store non-ASCII file names (host locale missing)";
    }
    const std::wstring path = scratch.wide() + L"\\提示\\下一层";
    EXPECT_EQ(makeDirs(path.c_str()), 0);
    EXPECT_TRUE(fs::is_directory(fs::path(path)));
}

}  // namespace
