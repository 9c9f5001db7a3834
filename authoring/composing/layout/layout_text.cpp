#include "authoring/composing/layout/layout_text.h"

#include <vector>

#include "common/codepage.h"
#include "common/errors.h"

namespace gw {

namespace {

std::size_t utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;  // malformed: fromUtf8 reports it
}

[[noreturn]] void failAt(int line, int column, const std::string& what) {
  throw FormatError("Layout line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
                    what);
}

}  // namespace

Layout parseTextLayout(std::string_view utf8, Language language) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start <= utf8.size()) {
    std::size_t end = utf8.find('\n', start);
    if (end == std::string_view::npos) end = utf8.size();
    std::string_view line = utf8.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  if (lines.empty()) throw FormatError("The layout is empty.");
  if (lines.size() > static_cast<std::size_t>(kBoardSide))
    throw FormatError("The layout has " + std::to_string(lines.size()) + " rows; at most 41 fit a board.");

  Layout layout;
  layout.language = language;
  layout.rows = static_cast<std::int32_t>(lines.size());
  for (int r = 0; r < layout.rows; ++r) {
    std::string_view line = lines[static_cast<std::size_t>(r)];
    int c = 0;
    for (std::size_t i = 0; i < line.size(); ++c) {
      std::size_t n = std::min(utf8Length(static_cast<unsigned char>(line[i])), line.size() - i);
      std::string_view ch = line.substr(i, n);
      i += n;
      if (c >= kBoardSide) failAt(r + 1, c + 1, "the row is longer than 41 cells.");
      if (ch == "#") {
        layout.board.setIsle(r, c);
      } else if (ch == ".") {
        layout.board.clearCell(r, c);
      } else {
        std::string bytes;
        try {
          bytes = fromUtf8(ch, boardCodePage(language));
        } catch (const FormatError&) {
          failAt(r + 1, c + 1,
                 "\"" + std::string(ch) + "\" is not a letter of the " + std::string(languageName(language)) +
                     " alphabet.");
        }
        char letter = bytes.size() == 1 ? upperCaseLetter(bytes[0], language) : '\0';
        if (bytes.size() != 1 || !isBoardLetter(letter, language))
          failAt(r + 1, c + 1,
                 "\"" + std::string(ch) + "\" is not a letter of the " + std::string(languageName(language)) +
                     " alphabet.");
        layout.board.putLetter(r, c, letter);
      }
    }
    if (r == 0)
      layout.columns = c;
    else if (c != layout.columns)
      failAt(r + 1, c + 1,
             "every row must have " + std::to_string(layout.columns) + " cells, this one has " +
                 std::to_string(c) + ".");
  }
  if (layout.columns == 0) throw FormatError("The layout's first row is empty.");
  return layout;
}

std::string layoutToText(const Layout& layout) {
  std::string bytes;
  for (int r = 0; r < layout.rows; ++r) {
    for (int c = 0; c < layout.columns; ++c) {
      const BoardCell& cell = layout.board.cell(r, c);
      bytes.push_back(cell.length == 0 ? '.' : cell.character == kIsle ? '#' : cell.character);
    }
    bytes.push_back('\n');
  }
  return toUtf8(bytes, boardCodePage(layout.language));
}

}  // namespace gw
