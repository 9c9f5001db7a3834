#include "authoring/settings/compose_settings.h"

#include "authoring/settings/settings_ini.h"

namespace gw {

ComposeSettings parseComposeSettings(std::string_view text) {
  const SettingsIni ini(text);
  ComposeSettings options;
  if (std::optional<long> on = ini.number(kComposeSection, kNoRepeatedWordsKey))
    options.noRepeatedWords = *on != 0;
  if (std::optional<long> lanes = ini.number(kComposeSection, kQuickFillLanesKey);
      lanes && *lanes >= 1 && *lanes <= kMostQuickFillLanes)
    options.quickFillLanes = static_cast<int>(*lanes);
  if (std::optional<long> min = ini.number(kComposeSection, kMinWordScoreKey);
      min && *min >= 0 && *min <= 100)
    options.minWordScore = static_cast<int>(*min);
  return options;
}

std::string withNoRepeatedWords(std::string_view text, bool noRepeatedWords) {
  SettingsIni ini(text);
  ini.set(kComposeSection, kNoRepeatedWordsKey, noRepeatedWords ? "1" : "0");
  return ini.text();
}

std::string withMinWordScore(std::string_view text, int minWordScore) {
  SettingsIni ini(text);
  ini.set(kComposeSection, kMinWordScoreKey, std::to_string(minWordScore).c_str());
  return ini.text();
}

}  // namespace gw
