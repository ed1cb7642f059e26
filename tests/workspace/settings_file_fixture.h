#pragma once
// Temporary folders for file tests, and a settings file "korvalin.ini" in one.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace wstest {

// A fresh temporary folder, removed with everything in it after the test.
class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/workspacefilesXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

class SettingsFileTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    path_ = (dir_ / "korvalin.ini").string();
  }
  void WriteFile(const std::string& text) {
    std::ofstream out(path_, std::ios::binary);
    out << text;
  }
  std::string FileText() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::size_t FilesInDir() const {
    return std::size_t(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()));
  }
  std::string path_;
};

}  // namespace wstest
