#pragma once
// Two imports into one word file must not both read it and write it back, or the words of
// the first one written are lost: each holds this lock ("EN.words.lock" beside the file)
// from reading the word file until its new version is in place. A second one waits.
#include <filesystem>

namespace gw {

class WordFileLock {
 public:
  // Waits for the lock. Throws FileError when the lock file cannot be made.
  explicit WordFileLock(const std::filesystem::path& wordFile);
  ~WordFileLock();
  WordFileLock(const WordFileLock&) = delete;
  WordFileLock& operator=(const WordFileLock&) = delete;

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

}  // namespace gw
