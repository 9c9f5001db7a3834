#pragma once
// The rules a word of the dictionary editor obeys, shared by the editor's word box and
// import, "Re-check" and the gridwright-words command: the letters of a language, the
// 40-character limit, and how a line of an import file becomes a word.
#include <unicode/unistr.h>

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>

#include "common/language.h"

namespace gw {

// Letters beyond ASCII spelt by ICU's Latin-ASCII transliterator (é → e, Æ → AE, ß → ss);
// what it cannot spell stays as it was. The result is UTF-8.
std::string spellInLatinAscii(const icu::UnicodeString& text);

class WordRules {
 public:
  // Words the editor takes are at most this long; import and "Re-check" drop longer ones.
  static constexpr std::size_t kMaxWordLength = 40;

  explicit WordRules(Language language);

  Language language() const { return language_; }

  // Whether a code-page byte, after ASCII upper-casing, may stand in a word: A to Z for
  // English and German, the Serbian Cyrillic letters (small and capital) for Serbian.
  // Punctuation never does, whatever the keyboard layout puts beside the letters.
  bool isLetter(char c) const { return letters_[static_cast<unsigned char>(upperAscii(c))]; }

  // The word box filter: the character a key typed on a US keyboard puts into the box
  // (code-page byte), or nothing when the keystroke is dropped (digits, blanks,
  // punctuation, control characters such as Backspace).
  std::optional<char> typedCharacter(char typed) const;

  // The word an import line (code-page bytes, no line break) gives, or the empty string
  // when it gives none: upper-cased, German umlauts and ß spelt out, letters kept in their
  // order and everything else dropped; a Serbian line with Latin letters (or without any
  // Cyrillic one) is read as Serbian Latin (Windows-1250) and transliterated. A line longer than 40
  // characters gives no word, even if fewer of them are letters.
  std::string wordFromLine(std::string_view line) const;

  // The same where the Serbian Latin reading of the line differs from its code-page
  // bytes (a UTF-8 file converted once to Windows-1251 and once to Windows-1250).
  std::string wordFromLine(std::string_view line, std::string_view latinLine) const;

  // Lines that wordFromLine() turned down because a letter of theirs cannot be spelt in the
  // language's alphabet (Chinese in an English list, q in a Serbian one), counted for the report.
  std::size_t unspellableLines() const { return unspellable_; }
  // Lines that wordFromLine() turned down as longer than kMaxWordLength.
  std::size_t overLongLines() const { return overLong_; }

  static char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
  static std::string upperAscii(std::string_view text);

 private:
  // Letters of the line in order, or empty if the line is over-long.
  std::string keepLetters(std::string_view upperLine) const;
  std::string wordOfLine(std::string_view line, std::string_view latinLine) const;
  // English and German: letters beyond A to Z spelt in A to Z (é → E, æ → AE), or empty
  // when the line holds a letter that cannot be (and the line is counted).
  std::optional<std::string> spellInAscii(std::string_view upperLine) const;
  // Serbian Latin (Windows-1250, upper-cased): whether every letter has a Cyrillic one.
  bool serbianLatinSpellable(std::string_view latin) const;
  std::string countUnspellable() const {
    ++unspellable_;
    return {};
  }

  Language language_;
  std::bitset<256> letters_;
  std::array<std::string, 256> asciiSpelling_;  // code-page byte → its letters in A to Z
  std::bitset<256> unspellableBytes_;           // letters (and the substitute byte) no spelling reaches
  std::bitset<256> unspellableLatin_;           // Serbian: Windows-1250 letters without a Cyrillic one
  mutable std::size_t unspellable_ = 0;
  mutable std::size_t overLong_ = 0;
  mutable bool lineTooLong_ = false;  // set by keepLetters() for the line at hand
};

}  // namespace gw
