// Writes the example crosswords of data/examples through the crossword document, as the
// authoring program would save them: board, prepared definitions with a clue for every
// word, dotted edges and a drawn picture.
//   gridwright-cw-examples OUTPUT_FOLDER
#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "authoring/definitions/crossword_document.h"
#include "common/codepage.h"
#include "common/jpeg.h"
#include "common/language.h"

namespace {

struct Example {
  const char* fileName;
  gw::Language language;
  gw::ClueCharset charset;
  std::vector<std::string> board;  // UTF-8 rows, '#' for a blank cell
  std::vector<gw::EdgeMark> topMarks, leftMarks;
  gw::Picture picture;  // jpeg filled in by the drawing
  int drawing;
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
    if (clue == e.clues.end()) throw std::runtime_error(std::string(e.fileName) + ": no clue for " + key);
    dm.setClue(i, gw::fromUtf8(clue->second, gw::clueCodePage(e.charset)));
  }
  if (definitions.size() != e.clues.size())
    throw std::runtime_error(std::string(e.fileName) + ": unused clues");
  dm.saveAs(folder / e.fileName);
  std::cout << (folder / e.fileName).string() << ": " << definitions.size() << " words\n";
}

std::vector<Example> examples() {
  return {
      {"en-donor.C_W",
       gw::Language::English,
       gw::ClueCharset::Ansi,
       {"##DOE", "##OUT", "TENTH", "ERODE", "ERROR"},
       {{3, 3}, {4, 3}},
       {{2, 2}},
       {0, 0, 2, 2, {}},
       0,
       {{"A:DOE", "Female deer"},
        {"A:OUT", "Not at home"},
        {"A:TENTH", "One part in ten"},
        {"A:ERODE", "Wear away slowly, as the sea does to a cliff"},
        {"A:ERROR", "Mistake"},
        {"D:TEE", "Golfer's peg"},
        {"D:ERR", "Make a mistake"},
        {"D:DONOR", "Blood giver"},
        {"D:OUTDO", "Do better than"},
        {"D:ETHER", "Early anaesthetic, or the upper air"}}},
      {"en-igloo.C_W",
       gw::Language::English,
       gw::ClueCharset::Ansi,
       {"NASTY", "IGLOO", "CLOWN", "HOP##", "EWE##"},
       {{1, 2}, {4, 1}},
       {{2, 1}, {1, 4}},
       {3, 3, 2, 2, {}},
       2,
       {{"A:NASTY", "Very unpleasant"},
        {"A:IGLOO", "House of snow blocks"},
        {"A:CLOWN", "Circus joker"},
        {"A:HOP", "Jump on one foot"},
        {"A:EWE", "Female sheep"},
        {"D:NICHE", "Recess in a wall, or a comfortable place in the market"},
        {"D:AGLOW", "Shining with warmth"},
        {"D:SLOPE", "What a skier goes down"},
        {"D:TOW", "Pull behind a vehicle"},
        {"D:YON", "Over there, in old poems"}}},
      {"de-otter.C_W",
       gw::Language::German,
       gw::ClueCharset::Ansi,
       {"##OHR", "##TAU", "PATIN", "EBENE", "POREN"},
       {{2, 3}},
       {{3, 2}, {4, 4}},
       {0, 0, 2, 2, {}},
       1,
       {{"A:OHR", "Organ zum Hören"},
        {"A:TAU", "Morgendliche Feuchtigkeit auf dem Gras"},
        {"A:PATIN", "Taufzeugin"},
        {"A:EBENE", "Flaches Land ohne Berge"},
        {"A:POREN", "Winzige Öffnungen der Haut"},
        {"D:PEP", "Schwung, Elan (umgangssprachlich)"},
        {"D:ABO", "Kurzwort für Abonnement"},
        {"D:OTTER", "Marderartiges Tier am Wasser"},
        {"D:HAINE", "Kleine lichte Wälder (Mehrzahl)"},
        {"D:RUNEN", "Schriftzeichen der alten Germanen"}}},
      {"sr-cyrillic-vitez.C_W",
       gw::Language::Serbian,
       gw::ClueCharset::SerbianCyrillic,
       {"##ВИС", "##ИСТ", "МОТКА", "АВЕРС", "КОЗА#"},
       {{3, 2}, {2, 4}},
       {{1, 3}},
       {0, 0, 2, 2, {}},
       2,
       {{"A:ВИС", "Висина, врх брда"},
        {"A:ИСТ", "Исти, једнак (краћи облик)"},
        {"A:МОТКА", "Дугачак танак штап"},
        {"A:АВЕРС", "Лице новчића"},
        {"A:КОЗА", "Домаћа животиња с роговима која даје млеко"},
        {"D:МАК", "Црвени пољски цвет"},
        {"D:ОВО", "Показна заменица за нешто што је близу"},
        {"D:ВИТЕЗ", "Средњовековни ратник у оклопу"},
        {"D:ИСКРА", "Светлуцава честица ватре"},
        {"D:СТАС", "Раст и држање тела"}}},
      {"sr-latin-golub.C_W",
       gw::Language::Serbian,
       gw::ClueCharset::SerbianLatin,
       {"##МУЖ", "##ОНА", "ГОЛУБ", "ОСЕКА", "ТАРА#"},
       {{4, 1}, {1, 4}},
       {{2, 3}},
       {0, 0, 2, 2, {}},
       0,
       {{"A:МУЖ", "Suprug, bračni drug"},
        {"A:ОНА", "Lična zamenica trećeg lica ženskog roda"},
        {"A:ГОЛУБ", "Ptica mira"},
        {"A:ОСЕКА", "Povlačenje mora, suprotno od plime"},
        {"A:ТАРА", "Planina i nacionalni park u zapadnoj Srbiji"},
        {"D:ГОТ", "Pripadnik starog germanskog naroda"},
        {"D:ОСА", "Insekt sa žaokom, srodnik pčele"},
        {"D:МОЛЕР", "Majstor koji kreči zidove"},
        {"D:УНУКА", "Ćerka sina ili ćerke"},
        {"D:ЖАБА", "Zelena životinja koja krekeće"}}},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: gridwright-cw-examples OUTPUT_FOLDER\n";
    return 2;
  }
  try {
    for (const Example& e : examples()) write(e, argv[1]);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
