#pragma once
// One search per layout: a lock file beside the pattern file ("spring.C_WM" → "spring.LCK"),
// held with flock() for as long as a search of the layout exists. The kernel drops the lock
// when the holder ends in any way, so a killed composer never blocks the next one.
#include <chrono>
#include <filesystem>

#include "common/errors.h"

namespace gw {

class LayoutLock {
 public:
  // Takes the lock at once or throws FileError: "busy" when another search holds it.
  explicit LayoutLock(const std::filesystem::path& patternFile);
  // Waits up to `patience` for a holder that keeps the lock only briefly (a first fill
  // writing its result) before giving up as above.
  LayoutLock(const std::filesystem::path& patternFile, std::chrono::milliseconds patience);
  ~LayoutLock();
  LayoutLock(const LayoutLock&) = delete;
  LayoutLock& operator=(const LayoutLock&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

std::filesystem::path lockFileFor(const std::filesystem::path& patternFile);

}  // namespace gw
