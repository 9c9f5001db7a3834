// The one upper-casing of code-page letters: the Serbian pairs of Windows-1251 and nothing
// else, a to z for English and German; the text form agrees with the letter form.
#include "common/letters.h"

#include <gtest/gtest.h>

#include "common/key_mapping.h"

namespace gw {
namespace {

struct Case {
  unsigned char letter;
  Language language;
  unsigned char capital;
};

TEST(LettersTest, UpperCaseLetterTakesOnlyTheLanguagesPairs) {
  const Case cases[] = {
      {0xFB, Language::Serbian, 0xFB},  // ы is no Serbian letter: it stays small
      {0x9A, Language::Serbian, 0x8A},  // љ
      {0xBE, Language::Serbian, 0xBD},  // ѕ
      {0xBC, Language::Serbian, 0xA3},  // ј
      {0xE9, Language::Serbian, 0xE9},  // й stays
      {0x83, Language::Serbian, 0x83},  // ѓ stays
      {'a', Language::Serbian, 'a'},    // Latin letters are not touched in Cyrillic text
      {'q', Language::English, 'Q'},   {'Z', Language::German, 'Z'},
      {0xE4, Language::German, 0xE4},  // ä is no board letter; no Windows-1252 upper-casing
      {0xFB, Language::English, 0xFB},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(static_cast<unsigned char>(upperCaseLetter(static_cast<char>(c.letter), c.language)), c.capital)
        << std::hex << int(c.letter) << " in language " << int(c.language);
  }
}

TEST(LettersTest, TheTextFormAgreesByteForByteAndCapitalsStay) {
  for (int b = 0; b < 256; ++b) {
    const char letter = static_cast<char>(b);
    const char capital = upperCaseLetter(letter, Language::Serbian);
    EXPECT_EQ(upperCaseCyrillic(std::string(1, letter)), std::string(1, capital)) << b;
    // A board letter upper-cases to itself.
    if (isBoardLetter(letter, Language::Serbian)) {
      EXPECT_EQ(capital, letter) << b;
    }
  }
}

}  // namespace
}  // namespace gw
