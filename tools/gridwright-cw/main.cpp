// gridwright-cw: shows a crossword file on the terminal or as JSON.
//   gridwright-cw show FILE.C_W
//   gridwright-cw json FILE.C_W
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "authoring/composing/layout/composing_files.h"
#include "common/codepage.h"
#include "common/crossword_reader.h"
#include "common/language.h"
#include "common/terminal_text.h"
#include "tools/gridwright-cw/interchange_commands.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: gridwright-cw show FILE.C_W\n"
    "       gridwright-cw json FILE.C_W\n"
    "       gridwright-cw export --to ipuz|puz FILE.C_W OUT [--title TEXT] [--author TEXT]\n"
    "       gridwright-cw import FILE.ipuz|FILE.puz OUT.C_W\n"
    "       gridwright-cw pdf FILE.C_W OUT.pdf [--solution] [--paper a4|letter] [--title TEXT]\n"
    "                         [--author TEXT]\n"
    "       gridwright-cw --help\n"
    "\n"
    "Exit status: 0 done, 1 failed (the message says why), 2 a wrong command line.\n";

// A composing layout (.C_WM) is no crossword, but it is the file most often mistaken for one.
bool isComposingLayout(const char* path) {
  try {
    gw::readPatternFile(path);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::string boardRow(const gw::CrosswordFile& cw, int row, char blank) {
  std::string bytes = cw.board.substr(static_cast<std::size_t>(row) * cw.columns, cw.columns);
  for (char& c : bytes)
    if (c == gw::kBlankCell) c = blank;
  return gw::toUtf8(bytes, gw::boardCodePage(cw.language));
}

std::string clueText(const gw::CrosswordFile& cw, const std::string& clue) {
  return gw::toUtf8(clue, gw::clueCodePage(cw.charset));
}

// Control characters of a file are shown escaped as in JSON.
std::string terminalText(std::string_view utf8) { return gw::terminalSafe(utf8, gw::ControlEscapes::Json); }

void show(const gw::CrosswordFile& cw) {
  std::cout << "Language: " << gw::languageName(cw.language) << " (" << static_cast<int>(cw.language) << ")\n"
            << "Board: " << int{cw.rows} << " rows, " << int{cw.columns} << " columns\n"
            << "Clues: " << gw::clueCharsetName(cw.charset) << " (" << static_cast<int>(cw.charset) << ")\n"
            << "Edge marks: " << cw.topMarks.size() << " top, " << cw.leftMarks.size() << " left\n"
            << "Pictures: " << cw.pictures.size() << "\n\n";
  for (int r = 0; r < cw.rows; ++r) std::cout << terminalText(boardRow(cw, r, '#')) << '\n';
  std::cout << '\n';
  int number = 0;
  for (const gw::DefinitionRecord& d : cw.definitions)
    std::cout << ++number << ". " << (d.direction == gw::Direction::Across ? "across" : "down") << ", row "
              << int{d.row} << ", column " << int{d.column} << ", " << int{d.length}
              << (d.length == 1 ? " letter: " : " letters: ") << terminalText(clueText(cw, d.clue)) << '\n';
}

std::string jsonString(std::string_view utf8) {
  std::string out = "\"";
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += ch;
        }
    }
  }
  return out + '"';
}

std::string jsonMarks(const std::vector<gw::EdgeMark>& marks) {
  std::string out = "[";
  for (std::size_t i = 0; i < marks.size(); ++i)
    out += (i ? ", [" : "[") + std::to_string(marks[i].column) + ", " + std::to_string(marks[i].row) + "]";
  return out + "]";
}

void json(const gw::CrosswordFile& cw) {
  std::string out = "{\n  \"language\": " + std::to_string(static_cast<int>(cw.language)) +
                    ",\n  \"rows\": " + std::to_string(cw.rows) +
                    ",\n  \"columns\": " + std::to_string(cw.columns) + ",\n  \"board\": [";
  for (int r = 0; r < cw.rows; ++r) out += (r ? ", " : "") + jsonString(boardRow(cw, r, ' '));
  out += "],\n  \"charset\": " + std::to_string(static_cast<int>(cw.charset)) +
         ",\n  \"top_marks\": " + jsonMarks(cw.topMarks) + ",\n  \"left_marks\": " + jsonMarks(cw.leftMarks) +
         ",\n  \"definitions\": [";
  for (std::size_t i = 0; i < cw.definitions.size(); ++i) {
    const gw::DefinitionRecord& d = cw.definitions[i];
    out += std::string(i ? "," : "") +
           "\n    {\"across\": " + (d.direction == gw::Direction::Across ? "true" : "false") +
           ", \"row\": " + std::to_string(d.row) + ", \"column\": " + std::to_string(d.column) +
           ", \"length\": " + std::to_string(d.length) + ", \"clue\": " + jsonString(clueText(cw, d.clue)) +
           "}";
  }
  out += cw.definitions.empty() ? "],\n  \"pictures\": [" : "\n  ],\n  \"pictures\": [";
  for (std::size_t i = 0; i < cw.pictures.size(); ++i) {
    const gw::Picture& p = cw.pictures[i];
    out += std::string(i ? "," : "") + "\n    {\"column\": " + std::to_string(p.column) +
           ", \"row\": " + std::to_string(p.row) + ", \"width\": " + std::to_string(p.width) +
           ", \"height\": " + std::to_string(p.height) + ", \"bytes\": " + std::to_string(p.jpeg.size()) +
           "}";
  }
  out += cw.pictures.empty() ? "]\n}\n" : "\n  ]\n}\n";
  std::cout << out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (const int status = gw::cw::runInterchangeCommand(argc, argv); status >= 0) return status;
  if (argc != 3 || (std::string_view(argv[1]) != "show" && std::string_view(argv[1]) != "json")) {
    std::cerr << kUsage;
    return 2;
  }
  gw::CrosswordFile cw;
  try {
    cw = gw::readCrosswordFile(argv[2], gw::CrosswordReadMode::Authoring);
  } catch (const gw::CrosswordReadError& e) {
    if (e.kind() == gw::CrosswordReadError::Kind::BadMagic && isComposingLayout(argv[2])) {
      std::cerr << "\"" << argv[2]
                << "\" is a composing layout (.C_WM), not a crossword: Gridwright opens it (Open layout on "
                   "its composing page), and gridwright-compose fills it.\n";
      return 1;
    }
    // The magic may hold any bytes: show them as the Windows code page of the programs would.
    std::cerr << gw::toUtf8(e.what(), "windows-1252") << '\n';
    if (e.kind() == gw::CrosswordReadError::Kind::TooShort)
      std::cerr << gw::toUtf8(e.formatMessage(), "windows-1252") << '\n';
    return 1;
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  if (std::string_view(argv[1]) == "show")
    show(cw);
  else
    json(cw);
  return 0;
}
