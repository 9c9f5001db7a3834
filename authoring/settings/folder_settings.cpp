#include "authoring/settings/folder_settings.h"

// Plain bytes: folder names are kept as the UTF-8 the file system uses.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include "common/errors.h"

namespace gw {

namespace {

constexpr const char* kFolders = "Folders";

void load(CSimpleIniA& ini, std::string_view text) {
  // A file that is not INI text at all reads as no keys, which gives the defaults.
  if (ini.LoadData(text.data(), text.size()) < 0) ini.Reset();
}

bool fitsOnOneLine(const std::string& value) { return value.find_first_of("\r\n", 0) == std::string::npos; }

}  // namespace

FolderValues parseFolderSettings(std::string_view text) {
  CSimpleIniA ini;
  load(ini, text);
  FolderValues values;
  for (std::size_t i = 0; i < kFolderKeys.size(); ++i) {
    if (const char* v = ini.GetValue(kFolders, kFolderKeys[i], nullptr)) values[i] = v;
  }
  return values;
}

std::string withFolderSettings(std::string_view text, const std::array<std::string, 4>& folders) {
  CSimpleIniA ini;
  ini.SetSpaces(false);  // "key=value", as the classic profile functions write it
  load(ini, text);
  // Written afresh so the four keys stand in their order whatever order the file had.
  ini.Delete(kFolders, nullptr);
  for (std::size_t i = 0; i < kFolderKeys.size(); ++i) {
    const std::string& folder = folders[i];
    const bool keep = fitsOnOneLine(folder) && folder.find('\0') == std::string::npos;
    ini.SetValue(kFolders, kFolderKeys[i], keep ? folder.c_str() : "");
  }
  std::string out;
  if (ini.Save(out) < 0) throw FileError("Cannot write the settings");
  return out;
}

}  // namespace gw
