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
}  // namespace

std::string readWholeFile(const fs::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw FileError(describe("open", path, errno));
  std::string bytes;
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;  // EISDIR for a folder, EIO for a failing disk
      ::close(fd);
      throw FileError(describe("read", path, err));
    }
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

void writeFileAtomically(const fs::path& path, std::string_view bytes) {
  fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::random_device rd;
  fs::path tmp = dir / ("." + path.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) throw FileError(describe("create", path, errno));
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      ::unlink(tmp.c_str());
      throw FileError(describe("write", path, err));
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    int err = errno;
    ::unlink(tmp.c_str());
    throw FileError(describe("write", path, err));
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(tmp.c_str());
    throw FileError(describe("write", path, err));
  }
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
