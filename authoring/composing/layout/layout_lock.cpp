#include "authoring/composing/layout/layout_lock.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "common/file_io.h"

namespace gw {

std::filesystem::path lockFileFor(const std::filesystem::path& patternFile) {
  return withExtension(patternFile, ".LCK");
}

LayoutLock::LayoutLock(const std::filesystem::path& patternFile)
    : LayoutLock(patternFile, std::chrono::milliseconds(0)) {}

LayoutLock::LayoutLock(const std::filesystem::path& patternFile, std::chrono::milliseconds patience)
    : path_(lockFileFor(patternFile)) {
  const auto giveUp = std::chrono::steady_clock::now() + patience;
  // The holder removes the file when it lets go; a lock taken on a file that was removed (or
  // replaced) meanwhile guards nothing, so then the lock is taken again on the new file.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int fd = openLockFile(path_);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno;
      ::close(fd);
      if (err == EWOULDBLOCK && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        --attempt;  // waiting is not a replaced file
        continue;
      }
      if (err == EWOULDBLOCK)
        throw FileError("Another composer is working on the layout \"" + patternFile.string() +
                        "\" (it holds \"" + path_.string() + "\"). Wait until it has finished.");
      throw FileError("Cannot lock \"" + path_.string() + "\": " + std::strerror(err));
    }
    if (isNamedFile(fd, path_)) {
      fd_ = fd;
      return;
    }
    ::close(fd);
  }
  throw FileError("Cannot lock \"" + path_.string() + "\": it keeps being replaced.");
}

LayoutLock::~LayoutLock() {
  // Removed while still held, so that no other composer can hold a lock on this file as its own.
  ::unlink(path_.c_str());
  ::close(fd_);
}

}  // namespace gw
