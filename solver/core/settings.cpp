#include "solver/core/settings.h"

// Plain bytes: the file is read and written as the single-byte text it holds.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <cctype>
#include <fstream>
#include <string>
#include <system_error>

#include "common/errors.h"
#include "common/file_io.h"
#include "solver/core/cell_size.h"

namespace gw::cross {

namespace {

// CROSS.CONF holds a handful of short keys.
constexpr std::uint64_t kMaxSettingsFileBytes = 64 << 10;

constexpr const char* kGeneral = "General";
constexpr const char* kMarkCorrect = "Mark correct";
constexpr const char* kSounds = "Sounds";
constexpr const char* kCellSize = "Cell size";
constexpr const char* kNumbers = "Numbers";
constexpr const char* kJumpToNextWord = "Jump to the next word";
constexpr const char* kClueList = "Clue list";
constexpr const char* kClueListPlace = "Clue list place";
constexpr const char* kFolders = "Folders";
constexpr const char* kSolve = "Solve";

// As the profile functions read an integer: leading blanks, a sign and digits;
// no digits at all is "not an integer" and keeps the default.
bool readBool(const CSimpleIniA& ini, const char* key, bool fallback) {
  const char* v = ini.GetValue(kGeneral, key, nullptr);
  if (!v) return fallback;
  while (*v == ' ' || *v == '\t') ++v;
  if (*v == '-' || *v == '+') ++v;
  if (!std::isdigit(static_cast<unsigned char>(*v))) return fallback;
  bool nonzero = false;
  for (; std::isdigit(static_cast<unsigned char>(*v)); ++v) nonzero |= *v != '0';
  return nonzero;
}

// The file's text, at most its first kMaxSettingsFileBytes up to the last whole line; `whole`
// tells whether that was all of it. Throws FileError when it cannot be read.
std::string readSettingsText(const std::filesystem::path& file, bool& whole) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError("Cannot read the settings file " + file.string());
  std::string text(kMaxSettingsFileBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) throw FileError("Cannot read the settings file " + file.string());
  text.resize(static_cast<std::size_t>(in.gcount()));
  whole = text.size() <= kMaxSettingsFileBytes;
  if (!whole) text.resize(text.find_last_of('\n', kMaxSettingsFileBytes - 1) + 1);  // npos + 1: nothing
  return text;
}

// What fits of the file; a missing or unreadable file leaves the defaults.

std::optional<bool> readOptionalBool(const CSimpleIniA& ini, const char* key) {
  if (!ini.GetValue(kGeneral, key, nullptr)) return std::nullopt;
  return readBool(ini, key, false);
}

void loadInto(CSimpleIniA& ini, const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return;
  try {
    bool whole = true;
    const std::string text = readSettingsText(file, whole);
    ini.LoadData(text.data(), text.size());
  } catch (const FileError&) {
    // unreadable settings: the defaults apply
  }
}

Settings fromIni(const CSimpleIniA& ini, const std::string& defaultSolveFolder) {
  Settings s;
  s.markBadEntries = readBool(ini, kMarkCorrect, false);
  s.sounds = readBool(ini, kSounds, true);
  s.solveFolder = ini.GetValue(kFolders, kSolve, defaultSolveFolder.c_str());
  s.cellSize = boundedCellSize(static_cast<int>(ini.GetLongValue(kGeneral, kCellSize, kDefaultCellSize)));
  s.numbers = readOptionalBool(ini, kNumbers);
  s.jumpToNextWord = readOptionalBool(ini, kJumpToNextWord);
  s.clueList = readOptionalBool(ini, kClueList);
  s.clueListGeometry = ini.GetValue(kGeneral, kClueListPlace, "");
  return s;
}

}  // namespace

Settings readSettings(const std::filesystem::path& file, const std::string& defaultSolveFolder) {
  CSimpleIniA ini;
  loadInto(ini, file);
  return fromIni(ini, defaultSolveFolder);
}

Settings parseSettings(std::string_view text, const std::string& defaultSolveFolder) {
  CSimpleIniA ini;
  ini.LoadData(text.data(), text.size());
  return fromIni(ini, defaultSolveFolder);
}

void writeSettings(const std::filesystem::path& file, const Settings& settings) {
  CSimpleIniA ini;
  ini.SetSpaces(false);  // "key=value", as the classic profile functions write it
  // Every key of the file is written back, so a file that cannot be read whole is kept as it is.
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) {
    bool whole = true;
    const std::string text = readSettingsText(file, whole);
    if (!whole)
      throw FileError("The settings file " + file.string() + " is larger than " +
                      std::to_string(kMaxSettingsFileBytes >> 10) +
                      " KB: it is kept as it is, without the changes");
    ini.LoadData(text.data(), text.size());
  }
  ini.SetValue(kGeneral, kMarkCorrect, settings.markBadEntries ? "1" : "0");
  ini.SetValue(kGeneral, kSounds, settings.sounds ? "1" : "0");
  ini.SetValue(kFolders, kSolve, settings.solveFolder.c_str());
  // A player who never zoomed gets the file exactly as it always was.
  if (settings.cellSize != kDefaultCellSize || ini.GetValue(kGeneral, kCellSize, nullptr))
    ini.SetValue(kGeneral, kCellSize, std::to_string(settings.cellSize).c_str());
  const std::pair<const char*, const std::optional<bool>*> switches[] = {
      {kNumbers, &settings.numbers},
      {kJumpToNextWord, &settings.jumpToNextWord},
      {kClueList, &settings.clueList}};
  for (const auto& [key, value] : switches)
    if (value->has_value()) ini.SetValue(kGeneral, key, **value ? "1" : "0");
  if (!settings.clueListGeometry.empty())
    ini.SetValue(kGeneral, kClueListPlace, settings.clueListGeometry.c_str());
  std::string text;
  if (ini.Save(text) < 0) throw FileError("Cannot write the settings file " + file.string());
  writeFileAtomically(file, text);
}

}  // namespace gw::cross
