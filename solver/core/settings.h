#pragma once
// CROSS.CONF: the solver's two switches, its zoom and the folder of its open dialog.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gw::cross {

struct Settings {
  bool markBadEntries = false;  // [General] Mark correct
  bool sounds = true;           // [General] Sounds
  std::string solveFolder;      // [Folders] Solve
  int cellSize = 20;            // [General] Cell size: written once it differs from 20
  // Written only once the player has changed them (an absent key is its default).
  std::optional<bool> numbers;         // [General] Numbers (default on)
  std::optional<bool> jumpToNextWord;  // [General] Jump to the next word (default off)
  std::optional<bool> clueList;        // [General] Clue list (default on)
  std::string clueListGeometry;        // [General] Clue list place: "x,y,width,height"

  bool showNumbers() const { return numbers.value_or(true); }
  bool jumps() const { return jumpToNextWord.value_or(false); }
  bool showClueList() const { return clueList.value_or(true); }
};

// Reads the file (of a file over 64 KB, the whole lines of its first 64 KB); a missing or unreadable
// file, or a value that is not an integer, leaves the default. `defaultSolveFolder` is the program folder
// followed by "Data".
Settings readSettings(const std::filesystem::path& file, const std::string& defaultSolveFolder);

// The same from the file's text.
Settings parseSettings(std::string_view text, const std::string& defaultSolveFolder);

// Writes the keys (other keys of the file are kept), atomically. Throws FileError, and leaves the
// file as it is, when the file there cannot be read whole (unreadable, or over 64 KB).
void writeSettings(const std::filesystem::path& file, const Settings& settings);

}  // namespace gw::cross
