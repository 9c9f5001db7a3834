#include "authoring/settings/composing_view_settings.h"

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <charconv>

#include "authoring/settings/compose_settings.h"
#include "authoring/settings/settings_file.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace gw {

namespace {

void load(CSimpleIniA& ini, std::string_view text) {
  if (ini.LoadData(text.data(), text.size()) < 0) ini.Reset();
}

std::optional<int> number(const char* value) {
  if (!value) return std::nullopt;
  const std::string_view v(value);
  int n = 0;
  const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), n);
  if (error != std::errc() || end == v.data()) return std::nullopt;
  return n;
}

}  // namespace

ComposingViewSettings parseComposingViewSettings(std::string_view text) {
  CSimpleIniA ini;
  load(ini, text);
  ComposingViewSettings s;
  if (const auto on = number(ini.GetValue(kComposeSection, kQuickFillNoRepeatKey, nullptr)))
    s.quickFillNoRepeatedWords = *on != 0;
  if (const char* symmetry = ini.GetValue(kComposeSection, kSymmetryKey, nullptr)) {
    const std::string_view v(symmetry);
    if (v == "none" || v == "rotational" || v == "mirror") s.symmetry = v;
  }
  if (const auto size = number(ini.GetValue(kComposeSection, kCellSizeKey, nullptr));
      size && *size >= kSmallestCellSize && *size <= kLargestCellSize)
    s.cellSize = *size;
  return s;
}

std::vector<std::pair<std::string, std::string>> changedComposingViewKeys(const ComposingViewSettings& read,
                                                                          const ComposingViewSettings& now) {
  std::vector<std::pair<std::string, std::string>> keys;
  if (read.quickFillNoRepeatedWords != now.quickFillNoRepeatedWords)
    keys.emplace_back(kQuickFillNoRepeatKey, now.quickFillNoRepeatedWords ? "1" : "0");
  if (read.symmetry != now.symmetry) keys.emplace_back(kSymmetryKey, now.symmetry);
  if (read.cellSize != now.cellSize) keys.emplace_back(kCellSizeKey, std::to_string(now.cellSize));
  return keys;
}

std::string withComposeValues(std::string_view text,
                              const std::vector<std::pair<std::string, std::string>>& values) {
  CSimpleIniA ini;
  ini.SetSpaces(false);  // "key=value", as the rest of the file
  load(ini, text);
  for (const auto& [key, value] : values) ini.SetValue(kComposeSection, key.c_str(), value.c_str());
  std::string out;
  if (ini.Save(out) < 0) throw FileError("Cannot write the settings");
  return out;
}

ComposingViewSettings readComposingViewSettings(const std::filesystem::path& file) {
  return parseComposingViewSettings(readSettingsText(file));
}

void writeComposingViewSettings(const std::filesystem::path& file, const ComposingViewSettings& read,
                                const ComposingViewSettings& now) {
  const auto keys = changedComposingViewKeys(read, now);
  if (keys.empty()) return;
  std::string text;
  try {
    text = withComposeValues(readSettingsText(file), keys);
  } catch (const FileError&) {
    throw FileError("Cannot write the settings file " + file.string());
  }
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  writeFileAtomically(file, text);
}

}  // namespace gw
