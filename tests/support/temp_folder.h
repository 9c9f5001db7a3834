#pragma once
// A fresh, empty folder for one test, removed with everything in it when the test ends. It
// lies in memory where the machine has /dev/shm (the programs sync every file they write) and
// is named after the process, so tests running side by side never share one.
#include <filesystem>
#include <string>

namespace gw::test {

class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "gw_test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Writes bytes to a file, making its folder; returns the path.
std::filesystem::path writeFile(const std::filesystem::path& path, const std::string& bytes);
// The whole file as bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

}  // namespace gw::test
