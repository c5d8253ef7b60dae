// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "WholeFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class WholeFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("frostlane-wholefile-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Every name in the folder, so a left-over partial file shows.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
};

const std::vector<std::uint8_t> kBytes = {'G', 'I', 'F', 0, 255, 7};

TEST_F(WholeFileTest, WritesANewFileOrReplacesAnOldOneWholeAndReadable) {
  std::ofstream(folder_ / "old.gif") << "an older picture, longer than the new one";
  for (const char* name : {"new.gif", "old.gif"}) {
    SCOPED_TRACE(name);
    std::string error;
    ASSERT_TRUE(render::WriteWholeFile((folder_ / name).string(), kBytes, error)) << error;
    EXPECT_EQ(kBytes, ReadBytes(folder_ / name));
    EXPECT_EQ(fs::perms(0644), fs::status(folder_ / name).permissions() & fs::perms::mask);
  }
  EXPECT_EQ((std::vector<std::string>{"new.gif", "old.gif"}), Names());
}

TEST_F(WholeFileTest, RefusesWhatCannotHoldAPictureAndLeavesNothingBehind) {
  fs::create_directories(folder_ / "a folder");
  ASSERT_EQ(0, ::mkfifo((folder_ / "a pipe").c_str(), 0600));
  struct Case {
    std::string target;
    std::string reason;
  };
  const Case cases[] = {
      {"missing/frame.png", "No such file or directory"},
      {"a folder", "not a regular file"},
      {"a pipe", "not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    std::string error;
    EXPECT_FALSE(render::WriteWholeFile((folder_ / c.target).string(), kBytes, error));
    EXPECT_EQ(c.reason, error);
  }
  EXPECT_EQ((std::vector<std::string>{"a folder", "a pipe"}), Names());
  EXPECT_TRUE(fs::is_empty(folder_ / "a folder"));
}

}  // namespace
