#pragma once
// Loading a crossword to solve: the file, its pictures and the player's saved progress,
// all into a new Board, so that a load that fails anywhere leaves nothing half-filled.
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "solver/core/board.h"
#include "solver/core/crossword_lock.h"

namespace gw::cross {

// No file at the given path. what() is the three-line message shown to the player.
class MissingCrosswordError : public std::runtime_error {
 public:
  explicit MissingCrosswordError(const std::filesystem::path& path);
};

struct LoadedCrossword {
  std::filesystem::path crosswordPath;
  std::filesystem::path progressPath;  // where progress is saved
  Board board;
  // A progress file was there but does not fit this board (the crossword was edited after
  // the player saved): the board starts empty and the next save replaces the file.
  bool progressDiscarded = false;
  // Another copy of Cross has the crossword open: nothing of this one is saved or deleted.
  bool readOnly = false;
  std::shared_ptr<const CrosswordLock> lock;  // null when read-only
};

// Where progress is kept: beside the crossword when its folder can be written (the installed
// examples' cannot), otherwise in the user's data folder.
enum class ProgressPlace { Automatic, BesideTheCrossword, UserDataFolder };

// The progress file beside a crossword: its path with the extension ".RES_CW"; for an ipuz or
// .puz file, its path with ".RES_CW" appended (spring.puz.RES_CW).
std::filesystem::path progressPathFor(const std::filesystem::path& crosswordPath);

// The progress file of a crossword whose folder cannot be written:
// $XDG_DATA_HOME/gridwright/progress/NAME-HASH.RES_CW, HASH from the crossword's full path.
std::filesystem::path userProgressPathFor(const std::filesystem::path& crosswordPath);

// Loads a .C_W file, or an .ipuz or .puz file (by its extension) as if it were one, and reads
// the progress from where it is saved, or else from the other place.
// Throws MissingCrosswordError, FileError, CrosswordReadError (FormatError), InterchangeError
// (FormatError) for an ipuz or .puz file that cannot be a crossword, JpegError,
// what() is the player's message. Progress is read only when it holds exactly rows × columns letters.
LoadedCrossword loadCrossword(const std::filesystem::path& path,
                              ProgressPlace place = ProgressPlace::Automatic);

// Writes the entries, row by row, to the progress file (atomically); nothing when read-only.
// Throws FileError.
void saveProgress(const LoadedCrossword& crossword);
// Deletes the progress file if there is one (and the crossword is not read-only). Throws FileError.
void deleteProgress(const LoadedCrossword& crossword);

// The solving time of a crossword, kept in the user's data folder beside the progress kept
// there (never inside the progress file): NAME-HASH.time, the seconds in decimal.
std::filesystem::path solvingTimePathFor(const std::filesystem::path& crosswordPath);
// 0 when none was kept or it cannot be read.
long long readSolvingTime(const LoadedCrossword& crossword);
// Writes the seconds; a negative count removes the file. Throws FileError.
void saveSolvingTime(const LoadedCrossword& crossword, long long seconds);

}  // namespace gw::cross
