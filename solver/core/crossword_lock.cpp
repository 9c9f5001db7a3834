#include "solver/core/crossword_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <utility>

namespace gw::cross {

namespace {
// flock conflicts between two opens of one file in the same process too: a crossword opened
// again in the same window shares the lock it holds.
std::mutex registryMutex;
std::map<std::pair<dev_t, ino_t>, std::weak_ptr<const CrosswordLock>>& registry() {
  static std::map<std::pair<dev_t, ino_t>, std::weak_ptr<const CrosswordLock>> locks;
  return locks;
}
}  // namespace

std::shared_ptr<const CrosswordLock> CrosswordLock::take(const std::filesystem::path& crossword) {
  const int fd = ::open(crossword.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0) {
    if (fd >= 0) ::close(fd);
    // The load reports the file; a lock of nothing lets it.
    return std::shared_ptr<const CrosswordLock>(new CrosswordLock(-1, 0, 0));
  }
  const std::lock_guard guard(registryMutex);
  auto& locks = registry();
  const auto key = std::pair(st.st_dev, st.st_ino);
  if (auto held = locks[key].lock()) {
    ::close(fd);
    return held;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    ::close(fd);
    return nullptr;
  }
  std::shared_ptr<const CrosswordLock> lock(new CrosswordLock(fd, st.st_dev, st.st_ino));
  locks[key] = lock;
  return lock;
}

CrosswordLock::~CrosswordLock() {
  if (fd_ < 0) return;
  const std::lock_guard guard(registryMutex);
  auto& locks = registry();
  const auto it = locks.find(std::pair(device_, inode_));
  if (it != locks.end() && it->second.expired()) locks.erase(it);
  ::close(fd_);
}

}  // namespace gw::cross
