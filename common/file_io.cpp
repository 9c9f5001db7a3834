#include "file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "errors.h"

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

}  // namespace

std::string readWholeFile(const fs::path& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) throw FileError(describe("open", path, errno));
  std::string bytes;
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(describe("read", path, errno));  // EISDIR for a folder, EIO for a failing disk
    }
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  return bytes;
}

void writeFileAtomically(const fs::path& path, std::string_view bytes) {
  fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::random_device rd;
  const fs::path tmpPath = dir / ("." + path.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
  FileDescriptor fd(::open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
  if (!fd.valid()) throw FileError(describe("create", path, errno));
  TemporaryFile tmp(tmpPath);
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
  if (::fsync(fd.get()) != 0) throw FileError(describe("write", path, errno));
  if (const int err = fd.close(); err != 0) throw FileError(describe("write", path, err));
  if (::rename(tmp.path().c_str(), path.c_str()) != 0) throw FileError(describe("write", path, errno));
  tmp.release();
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

}  // namespace gw
