#pragma once
// A settings file "korvalin.ini" in a fresh temporary folder, removed after the test.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace wstest {

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/propsaverXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = (dir_ / "korvalin.ini").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
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
  std::filesystem::path dir_;
  std::string path_;
};

}  // namespace wstest
