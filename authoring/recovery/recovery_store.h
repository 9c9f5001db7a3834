#pragma once
// Unsaved work kept through a termination signal (log-out, `kill`): a folder of the user's data
// where each piece of work is one file beside a note naming the user's file it belongs to. The
// program writes there on the signal and offers the entries back at its next start; nothing
// in the store is ever the user's own file.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.h"

namespace gw {

struct RecoveryEntry {
  std::filesystem::path file;      // the kept work
  std::filesystem::path original;  // the user's file it belongs to; empty for work never saved
  // The user's file name ("spring.C_W"), or the kept file's name for work never saved.
  std::string name() const;
};

class RecoveryStore {
 public:
  static constexpr std::string_view kNoteExtension = ".origin";

  explicit RecoveryStore(std::filesystem::path folder) : folder_(std::move(folder)) {}
  // "Recovery" in the folder the program writes to (the user's data folder of an installed copy).
  static RecoveryStore forProgram(const ProgramFolders& folders);

  const std::filesystem::path& folder() const { return folder_; }

  // A new file name in the store for work on `original` (empty: never saved), with the
  // extension of its kind (".C_W"), and its note written. The file itself is the caller's to
  // write. Throws FileError when the folder or the note cannot be made.
  std::filesystem::path reserve(const std::filesystem::path& original, std::string_view extension) const;

  // The kept work in name order. A file without its note, or a note without its file, is no entry.
  std::vector<RecoveryEntry> entries() const;

  // Forgets an entry: its file and its note. Throws FileError.
  void remove(const RecoveryEntry& entry) const;

 private:
  std::filesystem::path folder_;
};

// Copies kept work to where the author can open and save it: "NAME (recovered).C_W" beside the
// user's file (in `fallbackFolder` for work never saved or a folder that is gone), numbered
// "(recovered 2)" and on when that name is taken, so no file is ever replaced. Returns the new
// file. Throws FileError.
std::filesystem::path restoreRecovered(const RecoveryEntry& entry,
                                       const std::filesystem::path& fallbackFolder);

}  // namespace gw
