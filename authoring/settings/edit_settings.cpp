#include "authoring/settings/edit_settings.h"

#include "authoring/settings/settings_ini.h"

namespace gw {

EditSettings parseEditSettings(std::string_view text) {
  EditSettings settings;
  if (const std::optional<long> number = SettingsIni(text).number(kEditSection, kSortByNumberKey))
    settings.sortByNumber = *number != 0;
  return settings;
}

std::string withSortByNumber(std::string_view text, bool sortByNumber) {
  SettingsIni ini(text);
  ini.set(kEditSection, kSortByNumberKey, sortByNumber ? "1" : "0");
  return ini.text();
}

}  // namespace gw
