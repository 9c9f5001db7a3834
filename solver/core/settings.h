#pragma once
// CROSS.CONF: the solver's two switches and the folder of its open dialog.
#include <filesystem>
#include <string>
#include <string_view>

namespace gw::cross {

struct Settings {
  bool markBadEntries = false;  // [General] Mark correct
  bool sounds = true;           // [General] Sounds
  std::string solveFolder;      // [Folders] Solve
};

// Reads the file; a missing or unreadable file, or a value that is not an integer,
// leaves the default. `defaultSolveFolder` is the program folder followed by "Data".
Settings readSettings(const std::filesystem::path& file, const std::string& defaultSolveFolder);

// The same from the file's text.
Settings parseSettings(std::string_view text, const std::string& defaultSolveFolder);

// Writes the three keys (other keys of the file are kept), atomically. Throws FileError.
void writeSettings(const std::filesystem::path& file, const Settings& settings);

}  // namespace gw::cross
