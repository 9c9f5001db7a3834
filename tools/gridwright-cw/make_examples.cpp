// Writes the example crosswords of data/examples through the crossword document, as the
// authoring program would save them: board, prepared definitions with a clue for every
// word, dotted edges and a drawn picture. What each example holds is the text of its file in
// examples/ beside this one.
//   gridwright-cw-examples OUTPUT_FOLDER
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "authoring/definitions/crossword_document.h"
#include "common/codepage.h"
#include "common/jpeg.h"
#include "common/language.h"

namespace {

struct Example {
  std::string fileName;
  gw::Language language = gw::Language::English;
  gw::ClueCharset charset = gw::ClueCharset::Ansi;
  std::vector<std::string> board;  // UTF-8 rows, '#' for a blank cell
  std::vector<gw::EdgeMark> topMarks, leftMarks;
  gw::Picture picture;  // jpeg filled in by the drawing
  int drawing = 0;
  // "A:WORD" or "D:WORD" (UTF-8) to the clue (UTF-8).
  std::map<std::string, std::string> clues;
};

struct Rgb {
  unsigned char r, g, b;
};

// Three small drawings, computed pixel by pixel: a flower, a sun over the sea, a house.
Rgb drawingPixel(int drawing, double x, double y) {  // x, y in 0..1
  auto within = [&](double cx, double cy, double radius) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
  switch (drawing) {
    case 0: {  // flower
      if (within(0.5, 0.38, 0.09)) return {250, 210, 40};
      for (int petal = 0; petal < 6; ++petal) {
        const double a = petal * 3.14159265 / 3;
        if (within(0.5 + 0.16 * std::cos(a), 0.38 + 0.16 * std::sin(a), 0.1)) return {220, 40, 60};
      }
      if (std::abs(x - 0.5) < 0.03 && y > 0.45) return {40, 140, 50};
      if (within(0.62, 0.72, 0.08)) return {60, 170, 70};
      return y > 0.9 ? Rgb{120, 80, 40} : Rgb{200, 230, 250};
    }
    case 1: {  // sun over the sea
      if (within(0.5, 0.5, 0.2) && y < 0.6) return {255, 200, 30};
      if (y >= 0.6) return (static_cast<int>(y * 40) % 3 == 0) ? Rgb{230, 240, 255} : Rgb{30, 90, 170};
      return {140, 200, 240};
    }
    default: {  // house
      if (y > 0.45 && y < 0.9 && x > 0.2 && x < 0.8) {
        if (x > 0.42 && x < 0.58 && y > 0.62) return {110, 60, 30};
        if (x > 0.27 && x < 0.38 && y > 0.55 && y < 0.68) return {250, 240, 150};
        return {230, 220, 200};
      }
      if (y <= 0.45 && y > 0.15 && std::abs(x - 0.5) < (y - 0.15) * 1.1) return {170, 40, 30};
      return y >= 0.9 ? Rgb{70, 150, 60} : Rgb{170, 215, 245};
    }
  }
}

std::string drawPicture(int drawing, int cellsWide, int cellsHigh) {
  const int w = cellsWide * 40, h = cellsHigh * 40;
  std::string rgb;
  rgb.reserve(static_cast<std::size_t>(w) * h * 3);
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px) {
      const Rgb c = drawingPixel(drawing, (px + 0.5) / w, (py + 0.5) / h);
      rgb += static_cast<char>(c.r);
      rgb += static_cast<char>(c.g);
      rgb += static_cast<char>(c.b);
    }
  return gw::encodeJpegRgb(w, h, rgb);
}

void write(const Example& e, const std::filesystem::path& folder) {
  gw::CrosswordFile file;
  file.language = e.language;
  file.charset = e.charset;
  file.rows = static_cast<std::uint8_t>(e.board.size());
  for (const std::string& row : e.board) {
    std::string bytes = gw::fromUtf8(row, gw::boardCodePage(e.language));
    for (char& c : bytes)
      if (c == '#') c = gw::kBlankCell;
    file.columns = static_cast<std::uint8_t>(bytes.size());
    file.board += bytes;
  }
  file.topMarks = e.topMarks;
  file.leftMarks = e.leftMarks;
  file.pictures = {e.picture};
  file.pictures[0].jpeg = drawPicture(e.drawing, e.picture.width, e.picture.height);
  gw::CrosswordDocument dm = gw::CrosswordDocument::fromFile(std::move(file));
  const gw::DefinitionTable& definitions = dm.definitions();
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    const gw::Definition& d = definitions.at(i);
    const std::string key = std::string(d.direction == gw::Direction::Across ? "A:" : "D:") +
                            gw::toUtf8(d.word, gw::boardCodePage(e.language));
    const auto clue = e.clues.find(key);
    if (clue == e.clues.end()) throw std::runtime_error(e.fileName + ": no clue for " + key);
    dm.setClue(i, gw::fromUtf8(clue->second, gw::clueCodePage(e.charset)));
  }
  if (definitions.size() != e.clues.size()) throw std::runtime_error(e.fileName + ": unused clues");
  dm.saveAs(folder / e.fileName);
  std::cout << (folder / e.fileName).string() << ": " << definitions.size() << " words\n";
}

// The language or clue charset whose name is `name` ("German", "SR-Latin").
template <typename Code, typename Name>
Code codeNamed(const std::string& name, Name nameOf, const std::string& file) {
  for (int code = 0; code < 3; ++code)
    if (nameOf(static_cast<Code>(code)) == name) return static_cast<Code>(code);
  throw std::runtime_error(file + ": unknown name " + name);
}

// One example from its text (see examples/*.txt): a keyword and its values a line, or a clue.
Example readExample(const std::filesystem::path& source) {
  std::ifstream in(source);
  if (!in) throw std::runtime_error("cannot read " + source.string());
  const std::string name = source.string();
  Example e;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line.front() == '#') continue;
    std::istringstream fields(line);
    std::string key;
    fields >> key;
    std::string rest;
    std::getline(fields >> std::ws, rest);
    std::istringstream values(rest);
    int column = 0, row = 0;
    if (key == "file") {
      e.fileName = rest;
    } else if (key == "language") {
      e.language = codeNamed<gw::Language>(rest, gw::languageName, name);
    } else if (key == "clues") {
      e.charset = codeNamed<gw::ClueCharset>(rest, gw::clueCharsetName, name);
    } else if (key == "row") {
      e.board.push_back(rest);
    } else if ((key == "top" || key == "left") && values >> column >> row) {
      (key == "top" ? e.topMarks : e.leftMarks).push_back({std::uint8_t(column), std::uint8_t(row)});
    } else if (key == "picture") {
      int width = 0, height = 0;
      std::string drawing;
      if (!(values >> column >> row >> width >> height >> drawing >> e.drawing) || drawing != "drawing")
        throw std::runtime_error(name + ": bad picture line: " + line);
      e.picture = {std::uint8_t(column), std::uint8_t(row), std::uint8_t(width), std::uint8_t(height), {}};
    } else if (key.starts_with("A:") || key.starts_with("D:")) {
      e.clues[key] = rest;
    } else {
      throw std::runtime_error(name + ": bad line: " + line);
    }
  }
  return e;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: gridwright-cw-examples OUTPUT_FOLDER\n";
    return 2;
  }
  try {
    // Sorted, so that every run writes and reports them in one order.
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(GW_EXAMPLE_SOURCES))
      if (entry.path().extension() == ".txt") sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    for (const std::filesystem::path& source : sources) write(readExample(source), argv[1]);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
