#include "authoring/settings/edit_settings.h"

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <charconv>

#include "common/errors.h"

namespace gw {

namespace {

void load(CSimpleIniA& ini, std::string_view text) {
  if (ini.LoadData(text.data(), text.size()) < 0) ini.Reset();
}

}  // namespace

EditSettings parseEditSettings(std::string_view text) {
  CSimpleIniA ini;
  load(ini, text);
  EditSettings settings;
  if (const char* value = ini.GetValue(kEditSection, kSortByNumberKey, nullptr)) {
    std::string_view v(value);
    while (!v.empty() && (v.front() == ' ' || v.front() == '+')) v.remove_prefix(1);
    long number = 0;
    const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), number);
    if (error == std::errc() && end != v.data()) settings.sortByNumber = number != 0;
  }
  return settings;
}

std::string withSortByNumber(std::string_view text, bool sortByNumber) {
  CSimpleIniA ini;
  ini.SetSpaces(false);  // "key=value", as the rest of the file
  load(ini, text);
  ini.SetValue(kEditSection, kSortByNumberKey, sortByNumber ? "1" : "0");
  std::string out;
  if (ini.Save(out) < 0) throw FileError("Cannot write the settings");
  return out;
}

}  // namespace gw
