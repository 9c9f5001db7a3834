#include "authoring/settings/folder_settings.h"

#include "authoring/settings/settings_ini.h"

namespace gw {

namespace {

constexpr const char* kFolders = "Folders";

bool fitsOnOneLine(const std::string& value) { return value.find_first_of("\r\n", 0) == std::string::npos; }

}  // namespace

FolderValues parseFolderSettings(std::string_view text) {
  const SettingsIni ini(text);
  FolderValues values;
  for (std::size_t i = 0; i < kFolderKeys.size(); ++i) {
    if (const char* v = ini.value(kFolders, kFolderKeys[i])) values[i] = v;
  }
  return values;
}

std::string withFolderSettings(std::string_view text, const std::array<std::string, 4>& folders) {
  SettingsIni ini(text);
  // Written afresh so the four keys stand in their order whatever order the file had.
  ini.removeSection(kFolders);
  for (std::size_t i = 0; i < kFolderKeys.size(); ++i) {
    const std::string& folder = folders[i];
    const bool keep = fitsOnOneLine(folder) && folder.find('\0') == std::string::npos;
    ini.set(kFolders, kFolderKeys[i], keep ? folder.c_str() : "");
  }
  return ini.text();
}

}  // namespace gw
