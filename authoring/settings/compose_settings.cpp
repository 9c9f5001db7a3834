#include "authoring/settings/compose_settings.h"

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <cctype>
#include <charconv>

#include "common/errors.h"

namespace gw {

namespace {

void load(CSimpleIniA& ini, std::string_view text) {
  if (ini.LoadData(text.data(), text.size()) < 0) ini.Reset();
}

// A whole number at the start of the value, as the profile functions read one ("3 lanes" is 3).
std::optional<long> leadingNumber(const char* value) {
  if (!value) return std::nullopt;
  std::string_view v(value);
  while (!v.empty() && std::isspace(static_cast<unsigned char>(v.front()))) v.remove_prefix(1);
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  long number = 0;
  const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), number);
  if (error != std::errc() || end == v.data()) return std::nullopt;
  return number;
}

}  // namespace

ComposeSettings parseComposeSettings(std::string_view text) {
  CSimpleIniA ini;
  load(ini, text);
  ComposeSettings options;
  if (std::optional<long> on = leadingNumber(ini.GetValue(kComposeSection, kNoRepeatedWordsKey, nullptr)))
    options.noRepeatedWords = *on != 0;
  if (std::optional<long> lanes = leadingNumber(ini.GetValue(kComposeSection, kQuickFillLanesKey, nullptr));
      lanes && *lanes >= 1 && *lanes <= kMostQuickFillLanes)
    options.quickFillLanes = static_cast<int>(*lanes);
  if (std::optional<long> min = leadingNumber(ini.GetValue(kComposeSection, kMinWordScoreKey, nullptr));
      min && *min >= 0 && *min <= 100)
    options.minWordScore = static_cast<int>(*min);
  return options;
}

std::string withNoRepeatedWords(std::string_view text, bool noRepeatedWords) {
  CSimpleIniA ini;
  ini.SetSpaces(false);  // "key=value", as the rest of the file
  load(ini, text);
  ini.SetValue(kComposeSection, kNoRepeatedWordsKey, noRepeatedWords ? "1" : "0");
  std::string out;
  if (ini.Save(out) < 0) throw FileError("Cannot write the settings");
  return out;
}

std::string withMinWordScore(std::string_view text, int minWordScore) {
  CSimpleIniA ini;
  ini.SetSpaces(false);
  load(ini, text);
  ini.SetValue(kComposeSection, kMinWordScoreKey, std::to_string(minWordScore).c_str());
  std::string out;
  if (ini.Save(out) < 0) throw FileError("Cannot write the settings");
  return out;
}

}  // namespace gw
