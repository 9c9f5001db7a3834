#include "authoring/recovery/recovery_store.h"

#include <algorithm>
#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"

namespace fs = std::filesystem;

namespace gw {

namespace {

fs::path noteOf(const fs::path& file) {
  fs::path note = file;
  note += RecoveryStore::kNoteExtension;
  return note;
}

bool isNote(const fs::path& path) { return path.extension() == RecoveryStore::kNoteExtension; }

}  // namespace

std::string RecoveryEntry::name() const {
  return (original.empty() ? file.filename() : original.filename()).string();
}

RecoveryStore RecoveryStore::forProgram(const ProgramFolders& folders) {
  return RecoveryStore(folders.writePath("Recovery"));
}

fs::path RecoveryStore::reserve(const fs::path& original, std::string_view extension) const {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (!fs::is_directory(folder_)) throw FileError("Cannot create the folder " + folder_.string());
  const std::string stem = original.empty() ? std::string("untitled") : original.stem().string();
  // Numbered so that two pieces of work, or a later signal, never share a file.
  for (int n = 1;; ++n) {
    fs::path file = folder_ / (stem + "." + std::to_string(n) + std::string(extension));
    if (fs::exists(file, ec) || fs::exists(noteOf(file), ec)) continue;
    writeFileAtomically(noteOf(file), original.string());
    return file;
  }
}

std::vector<RecoveryEntry> RecoveryStore::entries() const {
  std::vector<RecoveryEntry> found;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(folder_, ec)) {
    const fs::path& file = e.path();
    if (isNote(file) || !e.is_regular_file(ec) || !fs::is_regular_file(noteOf(file), ec)) continue;
    try {
      found.push_back({file, fs::path(readWholeFile(noteOf(file), 64 * 1024))});
    } catch (const FileError&) {
      // An unreadable note: the work is left in the folder for the user, but not offered.
    }
  }
  std::sort(found.begin(), found.end(),
            [](const RecoveryEntry& a, const RecoveryEntry& b) { return a.file < b.file; });
  return found;
}

void RecoveryStore::remove(const RecoveryEntry& entry) const {
  removeFileIfExists(entry.file);
  removeFileIfExists(noteOf(entry.file));
}

fs::path restoreRecovered(const RecoveryEntry& entry, const fs::path& fallbackFolder) {
  std::error_code ec;
  const fs::path originalFolder = entry.original.parent_path();
  const fs::path folder =
      !entry.original.empty() && fs::is_directory(originalFolder, ec) ? originalFolder : fallbackFolder;
  const std::string stem = entry.original.empty() ? std::string("untitled") : entry.original.stem().string();
  const std::string extension = entry.file.extension().string();
  const std::string bytes = readWholeFile(entry.file);
  fs::create_directories(folder, ec);
  for (int n = 1;; ++n) {
    const std::string suffix = n == 1 ? " (recovered)" : " (recovered " + std::to_string(n) + ")";
    const fs::path target = folder / (stem + suffix + extension);
    if (fs::exists(target, ec)) continue;
    writeFileAtomically(target, bytes);
    return target;
  }
}

}  // namespace gw
