#pragma once
// One copy of Cross at a time keeps a crossword's progress: the copy that opens a crossword first
// holds an flock on the crossword file, and another copy (another log-in, whose runtime folder
// and single-copy lock differ) opens it read-only, so that it never writes its board over the
// first one's progress. The crossword file is locked because Cross never writes or replaces it;
// no lock file is left behind.
#include <sys/types.h>

#include <filesystem>
#include <memory>

namespace gw::cross {

class CrosswordLock {
 public:
  // The lock of the crossword; nullptr when another process holds it. Loads of the same file in
  // this process share one lock. Where the file cannot be locked at all (a file system without
  // locks), the lock holds nothing: playing is never refused for it.
  static std::shared_ptr<const CrosswordLock> take(const std::filesystem::path& crossword);

  ~CrosswordLock();
  CrosswordLock(const CrosswordLock&) = delete;
  CrosswordLock& operator=(const CrosswordLock&) = delete;

 private:
  CrosswordLock(int fd, dev_t device, ino_t inode) : fd_(fd), device_(device), inode_(inode) {}

  int fd_;
  dev_t device_;
  ino_t inode_;
};

}  // namespace gw::cross
