#include "authoring/settings/composing_view_settings.h"

#include "authoring/settings/compose_settings.h"
#include "authoring/settings/settings_file.h"
#include "authoring/settings/settings_ini.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace gw {

ComposingViewSettings parseComposingViewSettings(std::string_view text) {
  const SettingsIni ini(text);
  ComposingViewSettings s;
  if (const auto on = ini.number(kComposeSection, kQuickFillNoRepeatKey))
    s.quickFillNoRepeatedWords = *on != 0;
  if (const char* symmetry = ini.value(kComposeSection, kSymmetryKey)) {
    const std::string_view v(symmetry);
    if (v == "none" || v == "rotational" || v == "mirror") s.symmetry = v;
  }
  if (const auto size = ini.number(kComposeSection, kCellSizeKey);
      size && *size >= kSmallestCellSize && *size <= kLargestCellSize)
    s.cellSize = static_cast<int>(*size);
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
  SettingsIni ini(text);
  for (const auto& [key, value] : values) ini.set(kComposeSection, key.c_str(), value.c_str());
  return ini.text();
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
