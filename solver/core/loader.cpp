#include "solver/core/loader.h"

#include <system_error>

#include "common/crossword_reader.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace gw::cross {

MissingCrosswordError::MissingCrosswordError(const std::filesystem::path& path)
    : std::runtime_error("File doesn't \r\n" + path.string() + "\r\n" + " exist!") {}

LoadedCrossword loadCrossword(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw MissingCrosswordError(path);
  LoadedCrossword loaded;
  loaded.crosswordPath = path;
  loaded.progressPath = progressPathFor(path);
  loaded.board = Board::fromCrossword(readCrosswordFile(path, CrosswordReadMode::Solver));
  if (std::filesystem::exists(loaded.progressPath, ec)) {
    std::string bytes = readWholeFile(loaded.progressPath);
    // Any other size belongs to another version of the crossword; reading a part of it would
    // put letters into the wrong cells, and refusing the load would lock the player out.
    if (bytes.size() == loaded.board.entries().size()) {
      loaded.board.applyProgress(bytes);
    } else {
      loaded.progressDiscarded = true;
    }
  }
  return loaded;
}

void saveProgress(const LoadedCrossword& crossword) {
  writeFileAtomically(crossword.progressPath, crossword.board.entries());
}

void deleteProgress(const LoadedCrossword& crossword) {
  removeFileIfExists(crossword.progressPath);
}

}  // namespace gw::cross
