// The rules every word of the dictionary editor obeys: the word box filter and how an
// import line becomes a word, in the three languages.
#include "authoring/composing/dictionary/word_lists/word_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include <string>

namespace gw {
namespace {

std::string typed(const WordRules& rules, std::string_view keys) {
  std::string box;
  for (char k : keys)
    if (auto c = rules.typedCharacter(k)) box += *c;
  return box;
}

TEST(WordBoxFilter, EnglishAndGermanTakeCapitalsOnly) {
  for (Language l : {Language::English, Language::German}) {
    WordRules rules(l);
    EXPECT_EQ(typed(rules, "ab1c"), "ABC");
    EXPECT_EQ(typed(rules, "\b \t-[;',.\x7f"), "") << "Backspace, blanks and punctuation are dropped";
  }
}

TEST(WordBoxFilter, SerbianTypesCyrillicCapitalsByKeyPosition) {
  WordRules rules(Language::Serbian);
  EXPECT_EQ(typed(rules, "q"), "\x8A");  // Љ
  EXPECT_EQ(typed(rules, "Q"), "\x8A");
  EXPECT_EQ(typed(rules, "["), "\xD8");                  // Ш
  EXPECT_EQ(typed(rules, "]';\\"), "\x80\x8E\xD7\xC6");  // Ђ Ћ Ч Ж
  EXPECT_EQ(typed(rules, "zima"), "\xBD\xC8\xCC\xC0");   // ЅИМА: z is the key of Ѕ
  // The punctuation keys among the Serbian letters are no letters.
  EXPECT_EQ(typed(rules, ",./_1 \b"), "");
}

TEST(ImportLine, KeepsTheLettersOfAnUpperCasedLine) {
  WordRules rules(Language::English);
  EXPECT_EQ(rules.wordFromLine("ice-cream 2"), "ICECREAM");
  EXPECT_EQ(rules.wordFromLine("caf\xE9"), "CAFE");
  EXPECT_EQ(rules.wordFromLine("123 -"), "");
  EXPECT_EQ(rules.wordFromLine(""), "");
}

TEST(ImportLine, LengthLimitCountsTheWholeLine) {
  WordRules rules(Language::English);
  std::string forty(40, 'a');
  EXPECT_EQ(rules.wordFromLine(forty), std::string(40, 'A'));
  std::string longLine = std::string(30, 'a') + std::string(11, ' ');  // 41 characters, 30 letters
  EXPECT_EQ(rules.wordFromLine(longLine), "");
}

TEST(ImportLine, GermanSpellsOutUmlautsAndSharpS) {
  WordRules rules(Language::German);
  EXPECT_EQ(rules.wordFromLine("M\xE4"
                               "dchen"),
            "MAEDCHEN");
  EXPECT_EQ(rules.wordFromLine("\xC4rger \xD6l \xDC"
                               "ber"),
            "AERGEROELUEBER");
  EXPECT_EQ(rules.wordFromLine("Stra\xDF"
                               "e"),
            "STRASSE");
  EXPECT_EQ(rules.wordFromLine("gr\xF6\xDF"
                               "er"),
            "GROESSER");
  // Spelt out, a line can pass the limit: the word must still fit.
  std::string line = std::string(38, 'a') + "\xE4\xE4";  // 40 characters, 42 spelt out
  EXPECT_EQ(rules.wordFromLine(line), "");
}

// Letters the alphabet lacks are spelt in its letters, never dropped: the line is skipped
// and counted where no spelling exists. Code-page bytes (Windows-1252, -1251, -1250).
TEST(ImportLine, AccentsAreSpeltOrTheLineIsSkippedAndCounted) {
  struct Case {
    Language language;
    std::string line;
    std::string latin;  // Serbian: the line read as Windows-1250
    std::string word;   // empty: skipped as unspellable
  };
  const std::vector<Case> cases{
      {Language::English, "caf\xE9", "", "CAFE"},
      {Language::English, "na\xEFve", "", "NAIVE"},
      {Language::English,
       "sm\xF8rrebr\xF8"
       "d",
       "", "SMORREBROD"},
      {Language::English, "\xC6sir", "", "AESIR"},
      {Language::English,
       "Stra\xDF"
       "e",
       "", "STRASSE"},
      {Language::English, "Z\xFCrich", "", "ZURICH"},
      {Language::English,
       "\x8A"
       "koda",
       "", "SKODA"},  // Š of Windows-1252
      {Language::English,
       "ab\x1A"
       "c",
       "", ""},                                        // what a converter puts for a character it lacks
      {Language::German, "Z\xFCrich", "", "ZUERICH"},  // German keeps its own spelling
      {Language::German,
       "\xE7"
       "a va",
       "", "CAVA"},
      {Language::Serbian, "quiz", "quiz", ""},  // q, w, x, y have no Cyrillic letter
      {Language::Serbian, "xerox", "xerox", ""},
      {Language::Serbian, "\xEC\xFB\xEB\xEE", "\x1A\x1A\x1A\x1A", ""},  // мыло: ы is no Serbian letter
      {Language::Serbian, "zima", "zima", "\xC7\xC8\xCC\xC0"},
      {Language::Serbian, "caf\xE9", "caf\xE9", ""},  // é of Windows-1250
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    WordRules rules(c.language);
    const std::string word =
        c.latin.empty() ? rules.wordFromLine(c.line) : rules.wordFromLine(c.line, c.latin);
    EXPECT_EQ(word, c.word);
    EXPECT_EQ(rules.unspellableLines(), c.word.empty() ? 1u : 0u);
  }
  WordRules rules(Language::English);
  rules.wordFromLine(std::string(41, 'a'));
  rules.wordFromLine("123 -");
  EXPECT_EQ(rules.overLongLines(), 1u);
  EXPECT_EQ(rules.unspellableLines(), 0u);
}

TEST(ImportLine, SerbianCyrillicIsUpperCased) {
  WordRules rules(Language::Serbian);
  EXPECT_EQ(rules.wordFromLine("\x9A\xF3\xE1\xE0\xE2"), "\x8A\xD3\xC1\xC0\xC2");  // љубав -> ЉУБАВ
  EXPECT_EQ(rules.wordFromLine("\xC1\xE5\xEE\xE3\xF0\xE0\xE4."), "\xC1\xC5\xCE\xC3\xD0\xC0\xC4");
  EXPECT_EQ(rules.wordFromLine(".,-;:_"), "") << "punctuation is never a word";
}

TEST(ImportLine, SerbianLatinIsTransliteratedAfterUpperCasing) {
  WordRules rules(Language::Serbian);
  EXPECT_EQ(rules.wordFromLine("Zima"), "\xC7\xC8\xCC\xC0");  // ЗИМА
  EXPECT_EQ(rules.wordFromLine("zima"), "\xC7\xC8\xCC\xC0");
  EXPECT_EQ(rules.wordFromLine("Ljubav"), "\xCB\xA3\xD3\xC1\xC0\xC2");        // ЛЈУБАВ, no digraph
  EXPECT_EQ(rules.wordFromLine("Beograd."), "\xC1\xC5\xCE\xC3\xD0\xC0\xC4");  // БЕОГРАД
  EXPECT_EQ(rules.wordFromLine("\x8E"
                               "abljak"),
            "\xC6\xC0\xC1\xCB\xA3\xC0\xCA");  // Žabljak
  EXPECT_EQ(rules.wordFromLine("\x9E"
                               "aba"),
            "\xC6\xC0\xC1\xC0");  // žaba: small Latin letters too
  // Š of Windows-1250 is Љ in Windows-1251: a line with Latin letters is Latin throughout.
  EXPECT_EQ(rules.wordFromLine("\x8A"
                               "uma"),
            "\xD8\xD3\xCC\xC0");  // Šuma -> ШУМА
  // A UTF-8 line comes with its two readings: Windows-1251 (Ž missing) and Windows-1250.
  EXPECT_EQ(rules.wordFromLine("\x1A"
                               "ABA",
                               "\x8E"
                               "aba"),
            "\xC6\xC0\xC1\xC0");
}

}  // namespace
}  // namespace gw
