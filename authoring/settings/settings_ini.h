#pragma once
// crossword.conf text as the classic profile functions read and write it, for the readers of
// its sections: a text that is not INI at all reads as no keys, values are written "key=value"
// and every other section and key stays as it was.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

class SettingsIni {
 public:
  explicit SettingsIni(std::string_view text);
  ~SettingsIni();
  SettingsIni(const SettingsIni&) = delete;
  SettingsIni& operator=(const SettingsIni&) = delete;

  // The value of a key, or nullptr when the section or the key is missing.
  const char* value(const char* section, const char* key) const;
  // The whole number a value starts with, as the profile functions read one ("3 lanes" is 3,
  // "+2" is 2); nothing when the key is missing or its value starts with no number.
  std::optional<long> number(const char* section, const char* key) const;

  void set(const char* section, const char* key, const char* value);
  void removeSection(const char* section);

  // The text with every change. Throws FileError when it cannot be made.
  std::string text() const;

 private:
  struct Ini;
  std::unique_ptr<Ini> ini_;
};

}  // namespace gw
