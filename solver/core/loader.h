#pragma once
// Loading a crossword to solve: the file, its pictures and the player's saved progress,
// all into a new Board, so that a load that fails anywhere leaves nothing half-filled.
#include <filesystem>
#include <stdexcept>
#include <string>

#include "solver/core/board.h"

namespace gw::cross {

// No file at the given path. what() is the three-line message shown to the player.
class MissingCrosswordError : public std::runtime_error {
 public:
  explicit MissingCrosswordError(const std::filesystem::path& path);
};

struct LoadedCrossword {
  std::filesystem::path crosswordPath;
  std::filesystem::path progressPath;
  Board board;
};

// Loads a .C_W file, or an .ipuz or .puz file (by its extension) as if it were one.
// Throws MissingCrosswordError, FileError, CrosswordReadError (FormatError), InterchangeError
// (FormatError) for an ipuz or .puz file that cannot be a crossword, JpegError, or FormatError
// for a progress file shorter than the board; what() is the player's message.
LoadedCrossword loadCrossword(const std::filesystem::path& path);

// Writes the entries, row by row, to the progress file (atomically). Throws FileError.
void saveProgress(const LoadedCrossword& crossword);
// Deletes the progress file if there is one. Throws FileError.
void deleteProgress(const LoadedCrossword& crossword);

}  // namespace gw::cross
