#include "authoring/settings/settings_ini.h"

// Plain bytes: values are kept as the bytes the file holds (folder names as UTF-8).
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <cctype>
#include <charconv>

#include "common/errors.h"

namespace gw {

struct SettingsIni::Ini {
  CSimpleIniA ini;
};

SettingsIni::SettingsIni(std::string_view text) : ini_(std::make_unique<Ini>()) {
  ini_->ini.SetSpaces(false);  // "key=value", as the profile functions write it
  if (ini_->ini.LoadData(text.data(), text.size()) < 0) ini_->ini.Reset();
}

SettingsIni::~SettingsIni() = default;

const char* SettingsIni::value(const char* section, const char* key) const {
  return ini_->ini.GetValue(section, key, nullptr);
}

std::optional<long> SettingsIni::number(const char* section, const char* key) const {
  const char* value = this->value(section, key);
  if (!value) return std::nullopt;
  std::string_view v(value);
  while (!v.empty() && std::isspace(static_cast<unsigned char>(v.front()))) v.remove_prefix(1);
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  long number = 0;
  const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), number);
  if (error != std::errc() || end == v.data()) return std::nullopt;
  return number;
}

void SettingsIni::set(const char* section, const char* key, const char* value) {
  ini_->ini.SetValue(section, key, value);
}

void SettingsIni::removeSection(const char* section) { ini_->ini.Delete(section, nullptr); }

std::string SettingsIni::text() const {
  std::string out;
  if (ini_->ini.Save(out) < 0) throw FileError("Cannot write the settings");
  return out;
}

}  // namespace gw
