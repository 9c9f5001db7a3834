#include "word_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/errors.h"

namespace gw {

WordFileLock::WordFileLock(const std::filesystem::path& wordFile) : path_(wordFile.string() + ".lock") {
  std::error_code ec;
  if (wordFile.has_parent_path()) std::filesystem::create_directories(wordFile.parent_path(), ec);
  // The holder removes the file as it lets go; a lock won on a removed file is taken again.
  for (;;) {
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
      throw FileError("Cannot create the lock file \"" + path_.string() + "\": " + std::strerror(errno));
    int locked;
    while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
      const int err = errno;
      ::close(fd);
      throw FileError("Cannot lock \"" + path_.string() + "\": " + std::strerror(err));
    }
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && ::stat(path_.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev) {
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
