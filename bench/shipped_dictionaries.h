#pragma once
// The composing dictionaries of the word lists the build makes (program folder, Make/*.words),
// each loaded once per benchmark program.
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "authoring/composing/dictionary/dictionary.h"
#include "common/language.h"

namespace gw::bench {

inline Dictionary& shippedDictionary(Language language) {
  static std::map<Language, std::unique_ptr<Dictionary>> loaded;
  auto& d = loaded[language];
  if (!d) {
    d = std::make_unique<Dictionary>();
    d->load(std::filesystem::path(GW_PROGRAM_DIR) / std::string(wordFileName(language)), language);
  }
  return *d;
}

}  // namespace gw::bench
