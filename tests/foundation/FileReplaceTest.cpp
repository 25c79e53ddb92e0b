#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "SettingsFileFixture.h"
#include "foundation/FileReplace.h"

namespace {

using CreateFileAtomically = SettingsFileFixture;

// A first start's settings file appears whole or not at all, and never over one that is there.
TEST_F(CreateFileAtomically, MakesAMissingFileWholeAndNeverReplacesOne) {
    const std::string bytes = "[App]\r\nfsi = 2\r\n" + std::string(70000, 'x') + std::string("\0\xCC\xE1\r\n", 5);
    const struct {
        const char* target;
        std::optional<std::string> before;
    } cases[] = {
        {"absent", std::nullopt},
        {"present and empty", std::string()},
        {"present with the user's settings", std::string("[App]\r\nfsi = 1\r\nframeState = max\r\n")},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(file());
        if (c.before) {
            put(*c.before);
        }
        EXPECT_EQ(createFileAtomically(path(), bytes), !c.before) << c.target;
        EXPECT_EQ(content(), c.before.value_or(bytes)) << c.target;
        EXPECT_EQ(filesInFolder(), 1u) << c.target << ": no temporary file left";
    }
}

}  // namespace
