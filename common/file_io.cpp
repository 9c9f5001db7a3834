#include "common/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <random>
#include <string_view>
#include <vector>

#include "common/errors.h"

namespace gw {
namespace fs = std::filesystem;

namespace {

std::string describe(const char* action, const fs::path& path, int err) {
  return std::string("Cannot ") + action + " \"" + path.string() + "\": " + std::strerror(err);
}

// An open file descriptor, closed when it goes out of scope unless closed before.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now, for a caller that must know whether the data reached the file: 0 or errno.
  int close() {
    const int result = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// A temporary file that is deleted when it goes out of scope unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const fs::path& path() const { return path_; }
  void release() { path_.clear(); }

 private:
  fs::path path_;
};

constexpr time_t kStaleTemporarySeconds = 10;

bool isTemporaryName(std::string_view name, std::string_view prefix) {
  return name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix &&
         name.find_first_not_of("0123456789", prefix.size()) == std::string_view::npos;
}

// Removes the temporary file `name` if its writer is gone: a writer holds a lock on its
// temporary file until it is renamed, so one that can be locked is stale. True when it is gone.
bool removeIfStale(const fs::path& dir, std::string_view name) {
  const fs::path stale = dir / name;
  FileDescriptor fd(::open(stale.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  if (!fd.valid()) return errno == ENOENT;
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return false;
  // A writer takes its lock just after creating the file: a young file may be one whose
  // writer has not locked it yet.
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || ::time(nullptr) - info.st_mtime < kStaleTemporarySeconds) return false;
  return ::unlink(stale.c_str()) == 0 || errno == ENOENT;
}

// Calls fn(name) for every file of `dir` whose name may be a temporary file: ".NAME.tmpNNNN".
template <typename Fn>
void forEachTemporaryName(const fs::path& dir, Fn&& fn) {
  DIR* listing = ::opendir(dir.c_str());
  if (!listing) return;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name(entry->d_name);
    const std::size_t tmp = name.rfind(".tmp");
    if (name.size() > 1 && name[0] == '.' && tmp != std::string_view::npos && tmp > 0 &&
        isTemporaryName(name, name.substr(0, tmp + 4)))
      fn(name);
  }
  ::closedir(listing);
}

// Temporary files "<prefix>NNNN" left by a writer that was killed before its rename.
void removeStaleTemporaryFiles(const fs::path& dir, const std::string& prefix) {
  forEachTemporaryName(dir, [&](std::string_view name) {
    if (isTemporaryName(name, prefix)) removeIfStale(dir, name);
  });
}

// The same for a new file. A results folder takes thousands of new files, and listing it at
// every one made writing them quadratic: each folder is listed once per process, and only the
// temporary files found then are looked at again. One left behind later is found by the next
// process to write there.
void removeStaleTemporaryFilesOfNewFile(const fs::path& dir, const std::string& prefix) {
  static std::mutex mutex;
  static std::map<std::string, std::vector<std::string>> temporariesByFolder;
  std::lock_guard lock(mutex);
  auto [folder, listed] = temporariesByFolder.try_emplace(fs::absolute(dir).lexically_normal().string());
  std::vector<std::string>& names = folder->second;
  if (listed) forEachTemporaryName(dir, [&](std::string_view name) { names.emplace_back(name); });
  std::erase_if(names, [&](const std::string& name) {
    return isTemporaryName(name, prefix) && removeIfStale(dir, name);
  });
}

}  // namespace

std::string readWholeFile(const fs::path& path, std::uint64_t maxBytes) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below anyway.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.valid()) throw FileError(describe("open", path, errno));
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) throw FileError(describe("read", path, errno));
  if (!S_ISREG(info.st_mode))
    throw FileError("Cannot read \"" + path.string() + "\": it is not a regular file");
  const auto tooLarge = [&] {
    return FileError("Cannot read \"" + path.string() + "\": it is too large (more than " +
                     std::to_string(maxBytes) + " bytes)");
  };
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes) throw tooLarge();
  std::string bytes;
  try {
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  } catch (const std::bad_alloc&) {
    throw FileError(outOfMemoryMessage(path));
  }
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(describe("read", path, errno));  // EISDIR for a folder, EIO for a failing disk
    }
    if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) throw tooLarge();  // it grew while read
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  return bytes;
}

std::string outOfMemoryMessage(const fs::path& path) {
  return "There is not enough memory to read \"" + path.string() + "\".";
}

namespace {

// Writes `bytes` to a temporary file beside `path` and moves it there: over an existing file
// when `replace`, else only to a free name (false when `path` exists, and nothing is written).
bool writeThroughTemporary(const fs::path& path, std::string_view bytes, bool replace, FileSync sync) {
  fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const std::string prefix = "." + path.filename().string() + ".tmp";
  if (replace)
    removeStaleTemporaryFiles(dir, prefix);
  else
    removeStaleTemporaryFilesOfNewFile(dir, prefix);
  // Made once per thread: opening the random device for every file is a cost of its own.
  thread_local std::random_device rd;
  const fs::path tmpPath = dir / (prefix + std::to_string(rd() % 1000000));
  FileDescriptor fd(::open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
  if (!fd.valid()) {
    const int err = errno;
    // The new content goes into a file beside the old one: a folder that takes no new file is the cause.
    if (err == EACCES || err == EROFS || err == EPERM)
      throw FileError("Cannot create \"" + path.string() + "\": the folder \"" + dir.string() +
                      "\" cannot be written to (" + std::strerror(err) + ")");
    throw FileError(describe("create", path, err));
  }
  TemporaryFile tmp(tmpPath);
  // Held until the file is renamed or removed: a temporary file nobody holds is stale. It
  // waits only while another writer's cleanup looks at the file.
  while (::flock(fd.get(), LOCK_EX) != 0 && errno == EINTR) {
  }
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd.get(), p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(describe("write", path, errno));
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (sync == FileSync::Now && ::fsync(fd.get()) != 0) throw FileError(describe("write", path, errno));
  if (const int err = fd.close(); err != 0) throw FileError(describe("write", path, err));
  if (replace) {
    if (::rename(tmp.path().c_str(), path.c_str()) != 0) throw FileError(describe("write", path, errno));
    tmp.release();
  } else if (::link(tmp.path().c_str(), path.c_str()) != 0) {
    // A hard link takes the name only if it is free; renameat2 does the same where links are
    // not supported.
    int err = errno;
    if (err != EEXIST &&
        ::renameat2(AT_FDCWD, tmp.path().c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
      tmp.release();
      err = 0;
    } else if (err != EEXIST) {
      err = errno;
    }
    if (err == EEXIST) return false;
    if (err != 0) throw FileError(describe("write", path, err));
  }
  if (sync == FileSync::Later) return true;
  // The new name must reach the disk too, or a power cut could bring back the old file.
  FileDescriptor folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.valid()) ::fsync(folder.get());
  return true;
}

}  // namespace

void writeFileAtomically(const fs::path& path, std::string_view bytes) {
  writeThroughTemporary(path, bytes, true, FileSync::Now);
}

bool writeNewFileAtomically(const fs::path& path, std::string_view bytes, FileSync sync) {
  return writeThroughTemporary(path, bytes, false, sync);
}

void syncFileSystem(const fs::path& folder) {
  // One flush of the whole file system takes every file, where flushing them one by one
  // costs a flush of the disk each.
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.valid()) throw FileError(describe("open", folder, errno));
  if (::syncfs(fd.get()) != 0) throw FileError(describe("write", folder, errno));
}

void removeFileIfExists(const fs::path& path) {
  std::error_code ec;
  fs::remove(path, ec);
  if (ec && ec != std::errc::no_such_file_or_directory)
    throw FileError("Cannot delete \"" + path.string() + "\": " + ec.message());
}

fs::path withExtension(const fs::path& path, std::string_view extension) {
  std::string name = path.filename().string();
  std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  name += extension;
  return path.has_parent_path() ? path.parent_path() / name : fs::path(name);
}

int openLockFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0)
    throw FileError("Cannot create the lock file \"" + path.string() + "\": " + std::strerror(errno));
  return fd;
}

bool isNamedFile(int fd, const std::filesystem::path& path) {
  struct stat held {
  }, named{};
  return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
         held.st_dev == named.st_dev;
}

}  // namespace gw
