#include "common/key_mapping.h"

#include <set>

#include <gtest/gtest.h>

#include "common/codepage.h"
#include "common/us_keyboard.h"

namespace {

char k(int c) { return static_cast<char>(c); }

constexpr gw::Language kEnglish = gw::Language::English;
constexpr gw::Language kGerman = gw::Language::German;
constexpr gw::Language kSerbian = gw::Language::Serbian;
// Codes a damaged file may hold: they act as English.
const gw::Language kUnknown7 = static_cast<gw::Language>(7);
const gw::Language kUnknownNegative = static_cast<gw::Language>(-1);

TEST(KeyboardLayoutTable, UsStringHoldsEveryPrintableKeyOnce) {
  const std::string_view us = gw::usKeyString();
  ASSERT_EQ(us.size(), 94u);
  EXPECT_EQ(std::set<char>(us.begin(), us.end()).size(), 94u);
  for (char c = '!'; c <= '~'; ++c) EXPECT_NE(us.find(c), std::string_view::npos) << c;
  for (int i = 0; i < gw::kKeyboardLayoutCount; ++i)
    EXPECT_EQ(gw::keyboardLayoutString(static_cast<gw::KeyboardLayout>(i)).size(), 94u);
  EXPECT_EQ(gw::keyboardLayoutString(gw::KeyboardLayout::French)[13], '\0');
  EXPECT_EQ(gw::kSerbianCyrillicCapitals.size(), 30u);
  EXPECT_EQ(gw::kSerbianCyrillicCapitals.front(), k(0x8F));
  EXPECT_EQ(gw::kSerbianCyrillicCapitals.back(), k(0xC8));
}

TEST(KeyMapping, ComposePageMapsOnlySerbian) {
  EXPECT_EQ(gw::mapKeyToLayout('q', kSerbian), k(0x9A));
  EXPECT_EQ(gw::mapKeyToLayout('Q', kSerbian), k(0x8A));
  EXPECT_EQ(gw::mapKeyToLayout('[', kSerbian), k(0xD8));
  EXPECT_EQ(gw::mapKeyToLayout('{', kSerbian), k(0xD8));
  EXPECT_EQ(gw::mapKeyToLayout('z', kSerbian), k(0xBE));
  EXPECT_EQ(gw::mapKeyToLayout('y', kSerbian), k(0xE7));
  EXPECT_EQ(gw::mapKeyToLayout('1', kSerbian), '1');
  EXPECT_EQ(gw::mapKeyToLayout('\r', kSerbian), '\r');
  EXPECT_EQ(gw::mapKeyToLayout(k(0xE9), kSerbian), k(0xE9));
  for (gw::Language code : {kEnglish, kGerman, kUnknown7, kUnknownNegative}) {
    EXPECT_EQ(gw::mapKeyToLayout('[', code), '{');
    EXPECT_EQ(gw::mapKeyToLayout('a', code), 'a');
    EXPECT_EQ(gw::mapKeyToLayout('y', code), 'y');
  }
  // The five Serbian letter keys are shifted for every language.
  EXPECT_EQ(gw::mapKeyToLayout('\'', kEnglish), '"');
  EXPECT_EQ(gw::mapKeyToLayout('\\', kEnglish), '|');
  EXPECT_EQ(gw::mapKeyToLayout(';', kGerman), ':');
  EXPECT_EQ(gw::mapKeyToLayout(']', kSerbian), k(0x80));
}

TEST(KeyMapping, LayoutEditorAndSolverAlsoMapGerman) {
  for (auto map : {gw::mapLayoutEditorKey, gw::mapSolverKey}) {
    EXPECT_EQ(map('y', kGerman), 'z');
    EXPECT_EQ(map('Z', kGerman), 'Y');
    EXPECT_EQ(map(';', kGerman), k(0xD6));
    EXPECT_EQ(map('[', kGerman), k(0xDC));
    EXPECT_EQ(map('q', kSerbian), k(0x9A));
    EXPECT_EQ(map('\\', kSerbian), k(0xC6));
    EXPECT_EQ(map('y', kEnglish), 'y');
    EXPECT_EQ(map('y', kUnknown7), 'y');  // unknown codes use no layout
  }
}

std::string mapAll(std::string_view keys, gw::Language code) {
  std::string out;
  for (char key : keys) out += gw::mapSolverKey(key, code);
  return out;
}

TEST(KeyMapping, EveryLetterKeyGivesItsLetterOnTheSolversLayouts) {
  // Upper-cased keys, as the solver maps them.
  EXPECT_EQ(gw::toUtf8(mapAll("QWERTYUIOP{}ASDFGHJKL:\"|ZXCVBNM", kSerbian), "windows-1251"),
            "ЉЊЕРТЗУИОПШЂАСДФГХЈКЛЧЋЖЅЏЦВБНМ");
  EXPECT_EQ(mapAll(",./<>?", kSerbian), ",.-;:_");
  EXPECT_EQ(mapAll("QWERTYUIOPASDFGHJKLZXCVBNM", kGerman), "QWERTZUIOPASDFGHJKLYXCVBNM");
  EXPECT_EQ(mapAll("QWERTYUIOPASDFGHJKLZXCVBNM", kEnglish), "QWERTYUIOPASDFGHJKLZXCVBNM");
  // Small letters on the Serbian layout are the small forms of the same letters.
  const std::string small = mapAll("qwertyuiopasdfghjklzxcvbnm", kSerbian);
  EXPECT_EQ(gw::upperCaseCyrillic(small), mapAll("QWERTYUIOPASDFGHJKLZXCVBNM", kSerbian));
}

TEST(KeyMapping, SolverAcceptsTheLettersOfEachLanguage) {
  for (gw::Language code : {kEnglish, kGerman, kUnknown7}) {
    EXPECT_TRUE(gw::isAcceptedLetter('a', code));
    EXPECT_TRUE(gw::isAcceptedLetter('Z', code));
    EXPECT_TRUE(gw::isAcceptedLetter(' ', code));
    EXPECT_FALSE(gw::isAcceptedLetter(k(0xDC), code));
    EXPECT_FALSE(gw::isAcceptedLetter('1', code));
  }
  // Serbian: what the solver's mapping of an upper-cased key gives.
  EXPECT_TRUE(gw::isAcceptedLetter(gw::mapSolverKey('Q', kSerbian), kSerbian));
  EXPECT_TRUE(gw::isAcceptedLetter(gw::mapSolverKey('[', kSerbian), kSerbian));
  EXPECT_TRUE(
      gw::isAcceptedLetter(gw::mapSolverKey('/', kSerbian), kSerbian));  // '-' is on the table from 27 on
  EXPECT_TRUE(gw::isAcceptedLetter(' ', kSerbian));
  EXPECT_FALSE(gw::isAcceptedLetter('A', kSerbian));
  EXPECT_FALSE(gw::isAcceptedLetter(gw::mapSolverKey('1', kSerbian), kSerbian));
  EXPECT_FALSE(
      gw::isAcceptedLetter(gw::mapSolverKey('=', kSerbian), kSerbian));  // '+' sits before position 27
}

TEST(CharacterSets, UpperCasesSerbianCyrillicOnly) {
  EXPECT_EQ(gw::upperCaseCyrillic("\x9A\xF3\xE1\xE0\xE2"), "\x8A\xD3\xC1\xC0\xC2");  // љубав
  EXPECT_EQ(gw::upperCaseCyrillic("abc"), "abc");
  EXPECT_EQ(gw::upperCaseCyrillic("\xFB"), "\xFB");  // ы stays
  EXPECT_EQ(gw::upperCaseCyrillic("\xBE\xBC\x9F"), "\xBD\xA3\x8F");
}

TEST(CharacterSets, TransliteratesSerbianLatin) {
  EXPECT_EQ(gw::serbianLatinToCyrillic("Njego\x9A"), "\x8C\xE5\xE3\xEE\xF8");      // Његош
  EXPECT_EQ(gw::serbianLatinToCyrillic("NJEGO\x8A"), "\xCD\xA3\xC5\xC3\xCE\xD8");  // НЈЕГОШ
  EXPECT_EQ(gw::serbianLatinToCyrillic("D\x9E"
                                       "ep"),
            "\xC4\xE6\xE5\xEF");  // Джеп
  EXPECT_EQ(gw::serbianLatinToCyrillic("D\x8E"
                                       "EP"),
            "\x8F\xC5\xCF");  // ЏЕП
  EXPECT_EQ(gw::serbianLatinToCyrillic("\xC6"
                                       "evap\xE8i\xE6i"),
            "\x8E\xE5\xE2\xE0\xEF\xF7\xE8\x9E\xE8");  // Ћевапчићи
  EXPECT_EQ(gw::serbianLatinToCyrillic("\x8E"
                                       "abljak"),
            "\xC6\xE0\xE1\x9A\xE0\xEA");  // Жабљак
  EXPECT_EQ(gw::serbianLatinToCyrillic("x\x11y"), "x\xC6y");
  EXPECT_EQ(gw::serbianLatinToCyrillic("QWXY qwxy 12!"), "QWXY qwxy 12!");
}

TEST(CharacterSets, NamesCodePagesAndFontCharsetsActAsTheDefaultForUnknownCodes) {
  const auto unknownCharset = static_cast<gw::ClueCharset>(9);
  EXPECT_EQ(gw::clueCharsetName(gw::ClueCharset::SerbianCyrillic), "SR-Cyrillic");
  EXPECT_EQ(gw::clueCharsetName(unknownCharset), "ANSI");
  EXPECT_STREQ(gw::clueCodePage(gw::ClueCharset::SerbianLatin), "windows-1250");
  EXPECT_STREQ(gw::clueCodePage(unknownCharset), "windows-1252");
  EXPECT_EQ(gw::windowsFontCharset(gw::ClueCharset::SerbianLatin), 238);
  EXPECT_EQ(gw::windowsFontCharset(unknownCharset), 0);
  EXPECT_EQ(gw::windowsFontCharset(kSerbian), 204);
  EXPECT_STREQ(gw::boardCodePage(kGerman), "windows-1252");
  EXPECT_STREQ(gw::boardCodePage(kSerbian), "windows-1251");
  EXPECT_EQ(gw::languageName(kSerbian), "Serbian");
  EXPECT_EQ(gw::languageName(kUnknown7), "Unknown");
  EXPECT_EQ(gw::wordFileName(kUnknown7), "Make/EN.words");
  EXPECT_EQ(gw::knownLanguageOrEnglish(kUnknown7), kEnglish);
  EXPECT_EQ(gw::knownClueCharsetOrAnsi(unknownCharset), gw::ClueCharset::Ansi);
}

TEST(UsKeyboard, KeyCodesGiveUsCharactersWithShift) {
  // X11 key codes are the evdev codes + 8.
  EXPECT_EQ(gw::usCharacterForKey(24, false), 'q');
  EXPECT_EQ(gw::usCharacterForKey(24, true), 'Q');
  EXPECT_EQ(gw::usCharacterForKey(29, false), 'y');  // the key a German keyboard labels Z
  EXPECT_EQ(gw::usCharacterForKey(52, false), 'z');
  EXPECT_EQ(gw::usCharacterForKey(34, false), '[');
  EXPECT_EQ(gw::usCharacterForKey(34, true), '{');
  EXPECT_EQ(gw::usCharacterForKey(47, false), ';');
  EXPECT_EQ(gw::usCharacterForKey(48, true), '"');
  EXPECT_EQ(gw::usCharacterForKey(51, false), '\\');
  EXPECT_EQ(gw::usCharacterForKey(94, false), '\\');  // the ISO key beside left Shift
  EXPECT_EQ(gw::usCharacterForKey(10, true), '!');
  EXPECT_EQ(gw::usCharacterForKey(65, false), ' ');
  EXPECT_FALSE(gw::usCharacterForKey(113, false).has_value());  // Left arrow
  EXPECT_FALSE(gw::usCharacterForKey(0, false).has_value());
}

}  // namespace
