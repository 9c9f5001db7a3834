#include "solver/core/loader.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "common/crossword_reader.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "interchange/interchange_files.h"

namespace gw::cross {
namespace fs = std::filesystem;

namespace {
constexpr std::uint64_t kMaxProgressFileBytes = 255 * 255;
}  // namespace

MissingCrosswordError::MissingCrosswordError(const std::filesystem::path& path)
    : std::runtime_error("File doesn't \r\n" + path.string() + "\r\n" + " exist!") {}

fs::path progressPathFor(const fs::path& crosswordPath) {
  // Beside an ipuz or .puz file, the progress file keeps the whole name: a crossword exported
  // next to its .C_W file (spring.C_W, spring.puz) must not share spring.RES_CW with it.
  if (interchangeFormatOf(crosswordPath)) {
    fs::path progress = crosswordPath;
    return progress += ".RES_CW";
  }
  return withExtension(crosswordPath, ".RES_CW");
}

fs::path userProgressPathFor(const fs::path& crosswordPath) {
  std::error_code ec;
  fs::path full = fs::absolute(crosswordPath, ec).lexically_normal();
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a: stable from run to run
  for (unsigned char c : full.string()) hash = (hash ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  fs::path base = dataHome && fs::path(dataHome).is_absolute()
                      ? fs::path(dataHome)
                      : fs::path(home ? home : "/tmp") / ".local/share";
  return base / "gridwright" / "progress" / (crosswordPath.stem().string() + "-" + hex + ".RES_CW");
}

LoadedCrossword loadCrossword(const fs::path& path, ProgressPlace place) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) throw MissingCrosswordError(path);
  LoadedCrossword loaded;
  loaded.crosswordPath = path;
  loaded.lock = CrosswordLock::take(path);
  loaded.readOnly = !loaded.lock;
  const fs::path beside = progressPathFor(path);
  const fs::path shared = userProgressPathFor(path);
  if (place == ProgressPlace::Automatic) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    place = ::access(folder.c_str(), W_OK) == 0 ? ProgressPlace::BesideTheCrossword
                                                : ProgressPlace::UserDataFolder;
  }
  loaded.progressPath = place == ProgressPlace::BesideTheCrossword ? beside : shared;
  const fs::path& other = place == ProgressPlace::BesideTheCrossword ? shared : beside;
  // ipuz and .puz files are solved as if they were crossword files.
  loaded.board =
      Board::fromCrossword(interchangeFormatOf(path) ? importCrosswordFile(path).crossword
                                                     : readCrosswordFile(path, CrosswordReadMode::Solver));
  for (const fs::path& progress : {loaded.progressPath, other}) {
    if (!fs::exists(progress, ec)) continue;
    // Any other size belongs to another version of the crossword; reading a part of it would
    // put letters into the wrong cells, and refusing the load would lock the player out.
    const std::uintmax_t size = fs::file_size(progress, ec);
    if (!ec && size == loaded.board.entries().size()) {
      loaded.board.applyProgress(readWholeFile(progress, kMaxProgressFileBytes));
    } else {
      loaded.progressDiscarded = true;
    }
    break;
  }
  return loaded;
}

void saveProgress(const LoadedCrossword& crossword) {
  if (crossword.readOnly) return;
  if (crossword.progressPath != progressPathFor(crossword.crosswordPath)) {
    // The user's data folder may not be there yet; when it cannot be made, that is the cause
    // to name, not the missing folder the write would report.
    const fs::path folder = crossword.progressPath.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
      throw FileError("Cannot create \"" + crossword.progressPath.string() + "\": the folder \"" +
                      folder.string() + "\" cannot be made (" + ec.message() + ")");
  }
  writeFileAtomically(crossword.progressPath, crossword.board.entries());
}

void deleteProgress(const LoadedCrossword& crossword) {
  if (crossword.readOnly) return;
  // Both places: progress left in the other one would come back at the next load.
  removeFileIfExists(crossword.progressPath);
  const fs::path beside = progressPathFor(crossword.crosswordPath);
  removeFileIfExists(crossword.progressPath == beside ? userProgressPathFor(crossword.crosswordPath)
                                                      : beside);
}

fs::path solvingTimePathFor(const fs::path& crosswordPath) {
  return withExtension(userProgressPathFor(crosswordPath), ".time");
}

long long readSolvingTime(const LoadedCrossword& crossword) {
  const fs::path path = solvingTimePathFor(crossword.crosswordPath);
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return 0;
  try {
    const std::string text = readWholeFile(path, 32);
    char* end = nullptr;
    const long long seconds = std::strtoll(text.c_str(), &end, 10);
    return end != text.c_str() && seconds > 0 ? seconds : 0;
  } catch (const FileError&) {
    return 0;  // a clock that cannot be read starts again; the letters matter more
  }
}

void saveSolvingTime(const LoadedCrossword& crossword, long long seconds) {
  const fs::path path = solvingTimePathFor(crossword.crosswordPath);
  if (seconds < 0) {
    removeFileIfExists(path);
    return;
  }
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  writeFileAtomically(path, std::to_string(seconds));
}

}  // namespace gw::cross
