#include "solver/core/loader.h"

#include <system_error>

#include "common/crossword_reader.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "export/interchange_files.h"

namespace gw::cross {

MissingCrosswordError::MissingCrosswordError(const std::filesystem::path& path)
    : std::runtime_error("File doesn't \r\n" + path.string() + "\r\n" + " exist!") {}

LoadedCrossword loadCrossword(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw MissingCrosswordError(path);
  LoadedCrossword loaded;
  loaded.crosswordPath = path;
  loaded.progressPath = progressPathFor(path);
  // ipuz and .puz files are solved as if they were crossword files.
  loaded.board =
      Board::fromCrossword(interchangeFormatOf(path) ? importCrosswordFile(path).crossword
                                                     : readCrosswordFile(path, CrosswordReadMode::Solver));
  if (std::filesystem::exists(loaded.progressPath, ec)) {
    std::string bytes = readWholeFile(loaded.progressPath);
    try {
      loaded.board.applyProgress(bytes);
    } catch (const FormatError& e) {
      throw FormatError("The progress file " + loaded.progressPath.string() +
                        " does not fit this crossword. " + e.what());
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
