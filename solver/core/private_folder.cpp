#include "solver/core/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace gw::cross {

bool isPrivateFolder(const std::filesystem::path& folder, std::string& why) {
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0) {
    why = "\"" + folder.string() + "\": " + std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(st.st_mode)) {
    why = "\"" + folder.string() + "\" is not a folder";
    return false;
  }
  if (st.st_uid != ::geteuid()) {
    why = "\"" + folder.string() + "\" belongs to another user";
    return false;
  }
  if ((st.st_mode & 077) != 0) {
    why = "\"" + folder.string() + "\" is open to other users";
    return false;
  }
  return true;
}

std::optional<std::filesystem::path> privateRuntimeFolder(const std::filesystem::path& preferred,
                                                          const std::filesystem::path& sharedTemp,
                                                          std::string& why) {
  if (!preferred.empty() && isPrivateFolder(preferred, why)) return preferred;
  const std::filesystem::path own = sharedTemp / ("cross-runtime-" + std::to_string(::geteuid()));
  if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) {
    why = "\"" + own.string() + "\" cannot be made: " + std::strerror(errno);
    return std::nullopt;
  }
  if (!isPrivateFolder(own, why)) return std::nullopt;
  return own;
}

}  // namespace gw::cross
