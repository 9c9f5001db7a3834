#include "authoring/composing/dictionary/word_lists/word_rules.h"

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <memory>

#include "common/code_page_converter.h"
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

// What ICU's converters put for a character the code page lacks.
constexpr unsigned char kSubstituteByte = 0x1A;

// The character a code-page byte stands for, or U_SENTINEL.
UChar32 decodeByte(UConverter* converter, unsigned char byte) {
  const char in = static_cast<char>(byte);
  UChar out[4];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_toUChars(converter, out, 4, &in, 1, &status);
  if (U_FAILURE(status) || n < 1) return U_SENTINEL;
  UChar32 c;
  int32_t i = 0;
  U16_NEXT(out, i, n, c);
  return c;
}

bool isSerbianLatinLetter(UChar32 c) {
  const UChar32 upper = u_toupper(c);
  if (upper >= 'A' && upper <= 'Z') return upper != 'Q' && upper != 'W' && upper != 'X' && upper != 'Y';
  return upper == 0x10C || upper == 0x106 || upper == 0x160 || upper == 0x17D || upper == 0x110;  // Č Ć Š Ž Đ
}

}  // namespace

std::string spellInLatinAscii(const icu::UnicodeString& text) {
  static const std::unique_ptr<icu::Transliterator> latinAscii = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> t(
        icu::Transliterator::createInstance("Latin-ASCII", UTRANS_FORWARD, status));
    return U_SUCCESS(status) ? std::move(t) : nullptr;
  }();
  icu::UnicodeString spelt(text);
  if (latinAscii) latinAscii->transliterate(spelt);
  std::string out;
  spelt.toUTF8String(out);
  return out;
}

WordRules::WordRules(Language language) : language_(language) {
  if (language == Language::Serbian) {
    // The Serbian layout from its 27th key on: the Cyrillic letters, small and capital,
    // and six punctuation keys, which are no letters.
    std::string_view layout = keyboardLayoutString(KeyboardLayout::SerbianCyrillic);
    for (char c : layout.substr(26))
      if (!isPunctuation(c)) letters_.set(static_cast<unsigned char>(c));
    CodePageConverter cyrillic = openCodePageConverter("windows-1251");
    CodePageConverter latin = openCodePageConverter("windows-1250");
    for (int b = 0x80; b < 0x100; ++b) {
      const UChar32 c = decodeByte(cyrillic.get(), static_cast<unsigned char>(b));
      if (c != U_SENTINEL && u_isalpha(c) && !letters_[static_cast<std::size_t>(b)]) unspellableBytes_.set(b);
      const UChar32 l = decodeByte(latin.get(), static_cast<unsigned char>(b));
      if (l != U_SENTINEL && u_isalpha(l) && !isSerbianLatinLetter(l)) unspellableLatin_.set(b);
    }
    for (char c : std::string_view("QWXYqwxy")) unspellableLatin_.set(static_cast<unsigned char>(c));
  } else {
    for (char c = 'A'; c <= 'Z'; ++c) letters_.set(static_cast<unsigned char>(c));
    // Letters beyond A to Z as ICU's Latin-ASCII spells them; German umlauts keep their own spelling.
    CodePageConverter converter = openCodePageConverter("windows-1252");
    for (int b = 0x80; b < 0x100; ++b) {
      const UChar32 c = decodeByte(converter.get(), static_cast<unsigned char>(b));
      if (c == U_SENTINEL || !u_isalpha(c)) continue;
      const std::string spelt = upperAscii(spellInLatinAscii(icu::UnicodeString(c)));
      if (!spelt.empty() &&
          std::all_of(spelt.begin(), spelt.end(), [](char x) { return x >= 'A' && x <= 'Z'; }))
        asciiSpelling_[static_cast<std::size_t>(b)] = spelt;
      else
        unspellableBytes_.set(static_cast<std::size_t>(b));
    }
  }
  unspellableBytes_.set(kSubstituteByte);
  unspellableLatin_.set(kSubstituteByte);
}

std::optional<std::string> WordRules::spellInAscii(std::string_view upperLine) const {
  std::string spelt;
  spelt.reserve(upperLine.size() + 4);
  for (char c : upperLine) {
    const auto b = static_cast<unsigned char>(c);
    if (language_ == Language::German && !germanSpelling(b).empty())
      spelt += germanSpelling(b);
    else if (unspellableBytes_[b])
      return std::nullopt;
    else if (!asciiSpelling_[b].empty())
      spelt += asciiSpelling_[b];
    else
      spelt += c;
  }
  return spelt;
}

bool WordRules::serbianLatinSpellable(std::string_view latin) const {
  return std::none_of(latin.begin(), latin.end(),
                      [&](char c) { return unspellableLatin_[static_cast<unsigned char>(c)]; });
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
  if (upperLine.size() > kMaxWordLength) {
    lineTooLong_ = true;
    return word;
  }
  for (char c : upperLine)
    if (isLetter(c)) word += c;
  return word;
}

std::string WordRules::wordFromLine(std::string_view line) const { return wordFromLine(line, line); }

std::string WordRules::wordFromLine(std::string_view line, std::string_view latinLine) const {
  lineTooLong_ = false;
  std::string word = wordOfLine(line, latinLine);
  if (word.empty() && lineTooLong_) ++overLong_;
  return word;
}

std::string WordRules::wordOfLine(std::string_view line, std::string_view latinLine) const {
  std::string upper = upperAscii(line);
  switch (language_) {
    case Language::Serbian: {
      // A line with Latin letters is Serbian Latin, also when some of its bytes are
      // Cyrillic letters in Windows-1251 (Ž of Windows-1250 is Ћ there): Žabljak must not
      // give the word Ћ. It is upper-cased before the transliteration, so LJ and NJ stay
      // two letters there, as in Latin capitals.
      bool latinLetters =
          std::any_of(upper.begin(), upper.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
      if (!latinLetters) {
        const std::string cyrillic = upperCaseCyrillic(upper);
        if (upper.size() <= kMaxWordLength && std::any_of(cyrillic.begin(), cyrillic.end(), [&](char c) {
              return unspellableBytes_[static_cast<unsigned char>(c)];
            }))
          return countUnspellable();
        std::string word = keepLetters(cyrillic);
        if (!word.empty()) return word;
      }
      if (latinLine.size() <= kMaxWordLength && !serbianLatinSpellable(latinLine)) return countUnspellable();
      std::string latin = upperCaseCyrillic(upperAscii(latinLine));
      return keepLetters(upperCaseCyrillic(serbianLatinToCyrillic(latin)));
    }
    default: {
      if (upper.size() > kMaxWordLength) return keepLetters(upper);  // counted as over-long
      const std::optional<std::string> spelt = spellInAscii(upper);
      if (!spelt) return countUnspellable();
      if (language_ == Language::German) return keepLetters(*spelt);  // umlauts spelt out count
      std::string word;
      for (char c : *spelt)
        if (isLetter(c)) word += c;
      return word;
    }
  }
}

}  // namespace gw
