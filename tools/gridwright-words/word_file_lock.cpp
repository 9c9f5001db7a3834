#include "word_file_lock.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/errors.h"
#include "common/file_io.h"

namespace gw {

WordFileLock::WordFileLock(const std::filesystem::path& wordFile) : path_(wordFile.string() + ".lock") {
  std::error_code ec;
  if (wordFile.has_parent_path()) std::filesystem::create_directories(wordFile.parent_path(), ec);
  // The holder removes the file as it lets go; a lock won on a removed file is taken again.
  for (;;) {
    const int fd = openLockFile(path_);
    int locked;
    while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
      const int err = errno;
      ::close(fd);
      throw FileError("Cannot lock \"" + path_.string() + "\": " + std::strerror(err));
    }
    if (isNamedFile(fd, path_)) {
      fd_ = fd;
      return;
    }
    ::close(fd);
  }
}

WordFileLock::~WordFileLock() {
  ::unlink(path_.c_str());
  ::close(fd_);
}

}  // namespace gw
