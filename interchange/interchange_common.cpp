#include "interchange/interchange_common.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "common/codepage.h"
#include "common/language.h"
#include "common/letters.h"

namespace gw {
namespace {

// The one letter of a cell, upper-cased where that keeps it one letter (ß stays ß).
icu::UnicodeString cellLetter(const std::string& utf8) {
  icu::UnicodeString letter = icu::UnicodeString::fromUTF8(utf8);
  icu::UnicodeString upper = letter;
  upper.toUpper(icu::Locale::getRoot());
  return upper.countChar32() == 1 ? upper : letter;
}

// Serbian when a letter is Cyrillic; German when a letter or a clue has a German umlaut or
// sharp s (German boards often hold only A to Z); English otherwise.
Language guessLanguage(const ForeignCrossword& f) {
  for (const std::string& cell : f.solution)
    if (!cell.empty() && ublock_getCode(cellLetter(cell).char32At(0)) == UBLOCK_CYRILLIC)
      return Language::Serbian;
  auto german = [](const std::string& utf8) {
    for (std::string_view mark : {"\u00c4", "\u00d6", "\u00dc", "\u00e4", "\u00f6", "\u00fc", "\u00df"})
      if (utf8.find(mark) != std::string::npos) return true;
    return false;
  };
  for (const std::string& cell : f.solution)
    if (german(cell)) return Language::German;
  for (const ForeignClue& clue : f.clues)
    if (german(clue.text)) return Language::German;
  return Language::English;
}

bool fitsCodePage(const std::vector<ForeignClue>& clues, const char* codePage) {
  try {
    for (const ForeignClue& clue : clues) fromUtf8(clue.text, codePage);
    return true;
  } catch (const FormatError&) {
    return false;
  }
}

ClueCharset chooseCharset(const ForeignCrossword& f, Language language) {
  using enum ClueCharset;
  const std::vector<ClueCharset> order = language == Language::Serbian
                                             ? std::vector<ClueCharset>{SerbianCyrillic, SerbianLatin, Ansi}
                                             : std::vector<ClueCharset>{Ansi, SerbianLatin, SerbianCyrillic};
  for (ClueCharset charset : order)
    if (fitsCodePage(f.clues, clueCodePage(charset))) return charset;
  // None holds them all: name the first character that the preferred code page cannot hold.
  for (const ForeignClue& clue : f.clues) {
    try {
      fromUtf8(clue.text, clueCodePage(order[0]));
    } catch (const FormatError& e) {
      throw InterchangeError("The clue " + clue.label +
                             " cannot be written in one clue charset: " + e.what());
    }
  }
  return order[0];
}

// The definitions of the words listed, in the list's order, when the list names only words of the
// board, none twice, and every word with a clue; otherwise all of them as they are.
std::vector<DefinitionRecord> definitionsInOrder(std::vector<DefinitionRecord> all,
                                                 const std::vector<DefinitionRecord>& words) {
  std::map<std::tuple<Direction, int, int>, DefinitionRecord*> byStart;
  for (DefinitionRecord& d : all) byStart[{d.direction, d.row, d.column}] = &d;
  std::vector<DefinitionRecord> listed;
  std::size_t clued = 0;
  for (const DefinitionRecord& w : words) {
    const auto it = byStart.find({w.direction, w.row, w.column});
    if (it == byStart.end() || !it->second || it->second->length != w.length) return all;
    if (!it->second->clue.empty()) ++clued;
    listed.push_back(*it->second);
    it->second = nullptr;  // listed twice: not our list
  }
  const auto allClued = std::count_if(all.begin(), all.end(), [](const auto& d) { return !d.clue.empty(); });
  return clued == static_cast<std::size_t>(allClued) ? listed : all;
}

}  // namespace

std::string cellName(int row, int column) {
  return "row " + std::to_string(row) + ", column " + std::to_string(column);
}

std::string boardLetterUtf8(const CrosswordFile& cw, int row, int column) {
  return toUtf8(std::string(1, cw.cell(row, column)), boardCodePage(cw.language));
}

std::string clueUtf8(const CrosswordFile& cw, const std::string& clue) {
  return toUtf8(clue, clueCodePage(cw.charset));
}

CrosswordFile buildCrossword(const ForeignCrossword& f, const std::string& formatName) {
  if (f.rows < 1 || f.columns < 1 || f.rows > 255 || f.columns > 255)
    throw InterchangeError("The " + formatName + " file holds a board of " + std::to_string(f.rows) + " x " +
                           std::to_string(f.columns) + " cells; a crossword has 1 to 255 rows and columns.");
  CrosswordFile cw;
  cw.rows = static_cast<std::uint8_t>(f.rows);
  cw.columns = static_cast<std::uint8_t>(f.columns);
  const Language language = f.language.value_or(guessLanguage(f));
  cw.language = language;
  cw.board.assign(static_cast<std::size_t>(f.rows) * f.columns, kBlankCell);
  for (int r = 0; r < f.rows; ++r)
    for (int c = 0; c < f.columns; ++c) {
      const std::string& cell = f.solution[static_cast<std::size_t>(r) * f.columns + c];
      if (cell.empty()) continue;
      const icu::UnicodeString letter = cellLetter(cell);
      std::string utf8;
      letter.toUTF8String(utf8);
      if (letter.countChar32() != 1)
        throw InterchangeError("The cell at " + cellName(r, c) + " holds \"" + utf8 +
                               "\", more than one letter (a rebus cell), which a crossword cannot hold.");
      std::string bytes;
      try {
        bytes = fromUtf8(utf8, boardCodePage(language));
      } catch (const FormatError&) {
        throw InterchangeError("The letter \"" + utf8 + "\" at " + cellName(r, c) +
                               " cannot be written on a " + std::string(languageName(language)) + " board.");
      }
      // The player can type only the letters of the board's language: anything else
      // (a digit, a sign, an accented letter) would leave the crossword unsolvable.
      if (bytes.size() != 1 || !isBoardLetter(bytes[0], language))
        throw InterchangeError("The cell at " + cellName(r, c) + " holds \"" + utf8 +
                               "\", which is no letter of " + std::string(languageName(language)) +
                               " boards.");
      cw.board[static_cast<std::size_t>(r) * f.columns + c] = bytes[0];
    }
  cw.topMarks = f.topMarks;
  cw.leftMarks = f.leftMarks;
  cw.pictures = f.pictures;
  for (const Picture& p : cw.pictures)
    for (int r = p.row; r < p.row + p.height; ++r)
      for (int c = p.column; c < p.column + p.width; ++c)
        cw.board[static_cast<std::size_t>(r) * f.columns + c] = kBlankCell;

  const ClueCharset charset = f.charset.value_or(chooseCharset(f, language));
  cw.charset = charset;

  // Clues by the start of their word.
  std::map<std::tuple<Direction, int, int>, const ForeignClue*> clues;
  auto isLetter = [&](int r, int c) {
    return r >= 0 && c >= 0 && r < f.rows && c < f.columns && cw.cell(r, c) != kBlankCell;
  };
  auto across = [](const ForeignClue& clue) { return clue.direction == Direction::Across; };
  for (const ForeignClue& clue : f.clues) {
    if (!isLetter(clue.row, clue.column) ||
        isLetter(across(clue) ? clue.row : clue.row - 1, across(clue) ? clue.column - 1 : clue.column))
      throw InterchangeError("The clue " + clue.label + " does not start a word of the board.");
    if (!clues.emplace(std::tuple{clue.direction, clue.row, clue.column}, &clue).second)
      throw InterchangeError("The clue " + clue.label + " is given twice.");
  }

  // One definition per word, down words first, each group by row, then column.
  std::vector<DefinitionRecord> definitions;
  for (Direction direction : {Direction::Down, Direction::Across})
    for (int r = 0; r < f.rows; ++r)
      for (int c = 0; c < f.columns; ++c) {
        const bool across = direction == Direction::Across;
        if (!isLetter(r, c) || isLetter(across ? r : r - 1, across ? c - 1 : c)) continue;
        int length = 0;
        while (isLetter(across ? r : r + length, across ? c + length : c)) ++length;
        DefinitionRecord d;
        d.direction = direction;
        d.row = static_cast<std::uint8_t>(r);
        d.column = static_cast<std::uint8_t>(c);
        d.length = static_cast<std::uint8_t>(length);
        if (const auto clue = clues.find({direction, r, c}); clue != clues.end()) {
          try {
            d.clue = fromUtf8(clue->second->text, clueCodePage(charset));
          } catch (const FormatError& e) {
            throw InterchangeError("The clue " + clue->second->label + " cannot be written in " +
                                   std::string(clueCharsetName(charset)) + ": " + e.what());
          }
        }
        definitions.push_back(std::move(d));
      }
  cw.definitions = f.definitionWords ? definitionsInOrder(std::move(definitions), *f.definitionWords)
                                     : std::move(definitions);
  return cw;
}

}  // namespace gw
