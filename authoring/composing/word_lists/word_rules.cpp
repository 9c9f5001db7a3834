#include "authoring/composing/word_lists/word_rules.h"

#include <algorithm>

#include "common/key_mapping.h"

namespace gw {
namespace {

// What the German list spells out for the letters that A to Z lack (Windows-1252),
// after upper-casing: Ä Ö Ü and their small forms, and ß.
std::string_view germanSpelling(unsigned char c) {
  switch (c) {
    case 0xC4:
    case 0xE4: return "AE";
    case 0xD6:
    case 0xF6: return "OE";
    case 0xDC:
    case 0xFC: return "UE";
    case 0xDF: return "SS";
    default: return {};
  }
}

bool isPunctuation(char c) { return c == ',' || c == '.' || c == '-' || c == ';' || c == ':' || c == '_'; }

}  // namespace

WordRules::WordRules(Language language) : language_(language) {
  if (language == Language::Serbian) {
    // The Serbian layout from its 27th key on: the Cyrillic letters, small and capital,
    // and six punctuation keys, which are no letters.
    std::string_view layout = keyboardLayoutString(KeyboardLayout::SerbianCyrillic);
    for (char c : layout.substr(26))
      if (!isPunctuation(c)) letters_.set(static_cast<unsigned char>(c));
  } else {
    for (char c = 'A'; c <= 'Z'; ++c) letters_.set(static_cast<unsigned char>(c));
  }
}

std::string WordRules::upperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = upperAscii(c);
  return out;
}

std::optional<char> WordRules::typedCharacter(char typed) const {
  char mapped = mapKeyToLayout(upperAscii(typed), language_);
  if (!isLetter(mapped)) return std::nullopt;
  return mapped;
}

std::string WordRules::keepLetters(std::string_view upperLine) const {
  std::string word;
  if (upperLine.size() > kMaxWordLength) return word;
  for (char c : upperLine)
    if (isLetter(c)) word += c;
  return word;
}

std::string WordRules::wordFromLine(std::string_view line) const { return wordFromLine(line, line); }

std::string WordRules::wordFromLine(std::string_view line, std::string_view latinLine) const {
  std::string upper = upperAscii(line);
  switch (language_) {
    case Language::Serbian: {
      // A line with Latin letters is Serbian Latin, also when some of its bytes are
      // Cyrillic letters in Windows-1251 (Ž of Windows-1250 is Ћ there): Žabljak must not
      // give the word Ћ. It is upper-cased before the transliteration, so LJ and NJ stay
      // two letters there, as in Latin capitals.
      bool latinLetters =
          std::any_of(upper.begin(), upper.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
      std::string word = latinLetters ? std::string() : keepLetters(upperCaseCyrillic(upper));
      if (!word.empty()) return word;
      std::string latin = upperCaseCyrillic(upperAscii(latinLine));
      return keepLetters(upperCaseCyrillic(serbianLatinToCyrillic(latin)));
    }
    case Language::German: {
      std::string spelt;
      spelt.reserve(upper.size() + 4);
      for (char c : upper) {
        std::string_view s = germanSpelling(static_cast<unsigned char>(c));
        if (s.empty())
          spelt += c;
        else
          spelt += s;
      }
      return keepLetters(spelt);
    }
    default: return keepLetters(upper);
  }
}

}  // namespace gw
