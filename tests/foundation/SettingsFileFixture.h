#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "ScratchDir.h"

// A settings file "wconfig.ini" with its copy in a scratch folder of its own.
class SettingsFileFixture : public testing::Test {
  protected:
    std::filesystem::path file() const { return scratch_.path() / "wconfig.ini"; }
    std::filesystem::path copy() const { return scratch_.path() / "wconfig.ini.zbk"; }
    std::string path() const { return file().string(); }
    void put(const std::string& bytes) const { ScratchDir::writeBytes(file(), bytes); }
    std::string content() const { return ScratchDir::readBytes(file()); }
    size_t filesInFolder() const {
        return static_cast<size_t>(
            std::distance(std::filesystem::directory_iterator(scratch_.path()), std::filesystem::directory_iterator()));
    }

    ScratchDir scratch_;
};
