#include "common/key_mapping.h"

#include <set>

#include <gtest/gtest.h>

#include "common/codepage.h"

namespace {

char k(int c) { return static_cast<char>(c); }

TEST(KeyboardLayoutTable, UsStringHoldsEveryPrintableKeyOnce) {
  const std::string_view us = gw::usKeyString();
  ASSERT_EQ(us.size(), 94u);
  EXPECT_EQ(std::set<char>(us.begin(), us.end()).size(), 94u);
  for (char c = '!'; c <= '~'; ++c) EXPECT_NE(us.find(c), std::string_view::npos) << c;
  for (int i = 0; i < gw::kKeyboardLayoutCount; ++i) EXPECT_EQ(gw::keyboardLayoutString(i).size(), 94u);
  EXPECT_EQ(gw::keyboardLayoutString(gw::KeyboardLayout::French)[13], '\0');
  EXPECT_EQ(gw::serbianCyrillicCapitals().size(), 30u);
  EXPECT_EQ(gw::serbianCyrillicCapitals().front(), k(0x8F));
  EXPECT_EQ(gw::serbianCyrillicCapitals().back(), k(0xC8));
}

TEST(KeyMapping, ComposePageMapsOnlySerbian) {
  EXPECT_EQ(gw::MapKeyToLayout('q', 2), k(0x9A));
  EXPECT_EQ(gw::MapKeyToLayout('Q', 2), k(0x8A));
  EXPECT_EQ(gw::MapKeyToLayout('[', 2), k(0xD8));
  EXPECT_EQ(gw::MapKeyToLayout('{', 2), k(0xD8));
  EXPECT_EQ(gw::MapKeyToLayout('z', 2), k(0xBE));
  EXPECT_EQ(gw::MapKeyToLayout('y', 2), k(0xE7));
  EXPECT_EQ(gw::MapKeyToLayout('1', 2), '1');
  EXPECT_EQ(gw::MapKeyToLayout('\r', 2), '\r');
  EXPECT_EQ(gw::MapKeyToLayout(k(0xE9), 2), k(0xE9));
  for (int code : {0, 1, 7, -1}) {
    EXPECT_EQ(gw::MapKeyToLayout('[', code), '{');
    EXPECT_EQ(gw::MapKeyToLayout('a', code), 'a');
    EXPECT_EQ(gw::MapKeyToLayout('y', code), 'y');
  }
  // The five Serbian letter keys are shifted for every language.
  EXPECT_EQ(gw::MapKeyToLayout('\'', 0), '"');
  EXPECT_EQ(gw::MapKeyToLayout('\\', 0), '|');
  EXPECT_EQ(gw::MapKeyToLayout(';', 1), ':');
  EXPECT_EQ(gw::MapKeyToLayout(']', 2), k(0x80));
}

TEST(KeyMapping, LayoutEditorAndSolverAlsoMapGerman) {
  for (auto map : {gw::mapLayoutEditorKey, gw::mapSolverKey}) {
    EXPECT_EQ(map('y', 1), 'z');
    EXPECT_EQ(map('Z', 1), 'Y');
    EXPECT_EQ(map(';', 1), k(0xD6));
    EXPECT_EQ(map('[', 1), k(0xDC));
    EXPECT_EQ(map('q', 2), k(0x9A));
    EXPECT_EQ(map('\\', 2), k(0xC6));
    EXPECT_EQ(map('y', 0), 'y');
    EXPECT_EQ(map('y', 9), 'y');  // unknown codes use no layout
  }
}

std::string mapAll(std::string_view keys, int code) {
  std::string out;
  for (char key : keys) out += gw::mapSolverKey(key, code);
  return out;
}

TEST(KeyMapping, EveryLetterKeyGivesItsLetterOnTheSolversLayouts) {
  // Upper-cased keys, as the solver maps them.
  EXPECT_EQ(gw::toUtf8(mapAll("QWERTYUIOP{}ASDFGHJKL:\"|ZXCVBNM", 2), "windows-1251"),
            "ЉЊЕРТЗУИОПШЂАСДФГХЈКЛЧЋЖЅЏЦВБНМ");
  EXPECT_EQ(mapAll(",./<>?", 2), ",.-;:_");
  EXPECT_EQ(mapAll("QWERTYUIOPASDFGHJKLZXCVBNM", 1), "QWERTZUIOPASDFGHJKLYXCVBNM");
  EXPECT_EQ(mapAll("QWERTYUIOPASDFGHJKLZXCVBNM", 0), "QWERTYUIOPASDFGHJKLZXCVBNM");
  // Small letters on the Serbian layout are the small forms of the same letters.
  const std::string small = mapAll("qwertyuiopasdfghjklzxcvbnm", 2);
  EXPECT_EQ(gw::CyrillicUpperCase(small), mapAll("QWERTYUIOPASDFGHJKLZXCVBNM", 2));
}

TEST(KeyMapping, SolverAcceptsTheLettersOfEachLanguage) {
  for (int code : {0, 1, 5}) {
    EXPECT_TRUE(gw::IsAcceptedLetter('a', code));
    EXPECT_TRUE(gw::IsAcceptedLetter('Z', code));
    EXPECT_TRUE(gw::IsAcceptedLetter(' ', code));
    EXPECT_FALSE(gw::IsAcceptedLetter(k(0xDC), code));
    EXPECT_FALSE(gw::IsAcceptedLetter('1', code));
  }
  // Serbian: what the solver's mapping of an upper-cased key gives.
  EXPECT_TRUE(gw::IsAcceptedLetter(gw::mapSolverKey('Q', 2), 2));
  EXPECT_TRUE(gw::IsAcceptedLetter(gw::mapSolverKey('[', 2), 2));
  EXPECT_TRUE(gw::IsAcceptedLetter(gw::mapSolverKey('/', 2), 2));  // '-' is on the table from 27 on
  EXPECT_TRUE(gw::IsAcceptedLetter(' ', 2));
  EXPECT_FALSE(gw::IsAcceptedLetter('A', 2));
  EXPECT_FALSE(gw::IsAcceptedLetter(gw::mapSolverKey('1', 2), 2));
  EXPECT_FALSE(gw::IsAcceptedLetter(gw::mapSolverKey('=', 2), 2));  // '+' sits before position 27
}

TEST(CharacterSets, UpperCasesSerbianCyrillicOnly) {
  EXPECT_EQ(gw::CyrillicUpperCase("\x9A\xF3\xE1\xE0\xE2"), "\x8A\xD3\xC1\xC0\xC2");  // љубав
  EXPECT_EQ(gw::CyrillicUpperCase("abc"), "abc");
  EXPECT_EQ(gw::CyrillicUpperCase("\xFB"), "\xFB");  // ы stays
  EXPECT_EQ(gw::CyrillicUpperCase("\xBE\xBC\x9F"), "\xBD\xA3\x8F");
}

TEST(CharacterSets, TransliteratesSerbianLatin) {
  EXPECT_EQ(gw::LatinToCyrillic("Njego\x9A"), "\x8C\xE5\xE3\xEE\xF8");                // Његош
  EXPECT_EQ(gw::LatinToCyrillic("NJEGO\x8A"), "\xCD\xA3\xC5\xC3\xCE\xD8");            // НЈЕГОШ
  EXPECT_EQ(gw::LatinToCyrillic("D\x9E" "ep"), "\xC4\xE6\xE5\xEF");                      // Джеп
  EXPECT_EQ(gw::LatinToCyrillic("D\x8E" "EP"), "\x8F\xC5\xCF");                       // ЏЕП
  EXPECT_EQ(gw::LatinToCyrillic("\xC6" "evap\xE8i\xE6i"), "\x8E\xE5\xE2\xE0\xEF\xF7\xE8\x9E\xE8");  // Ћевапчићи
  EXPECT_EQ(gw::LatinToCyrillic("\x8E" "abljak"), "\xC6\xE0\xE1\x9A\xE0\xEA");        // Жабљак
  EXPECT_EQ(gw::LatinToCyrillic("x\x11y"), "x\xC6y");
  EXPECT_EQ(gw::LatinToCyrillic("QWXY qwxy 12!"), "QWXY qwxy 12!");
}

TEST(CharacterSets, CodePagesAndFontCharsets) {
  EXPECT_EQ(gw::charsetName(1), "SR-Cyrillic");
  EXPECT_STREQ(gw::clueCodePage(2), "windows-1250");
  EXPECT_EQ(gw::clueFontCharset(2), 238);
  EXPECT_EQ(gw::clueFontCharset(9), 0);
  EXPECT_EQ(gw::boardFontCharset(2), 204);
  EXPECT_STREQ(gw::boardCodePageOf(1), "windows-1252");
}

}  // namespace
