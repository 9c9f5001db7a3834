#include "interchange/ipuz_format.h"

#include <algorithm>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>

#include "common/jpeg.h"
#include "common/language.h"
#include "common/picture_decoding.h"
#include "interchange/base64.h"
#include "interchange/crossword_numbering.h"

namespace gw {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kJpegDataUrl = "data:image/jpeg;base64,";
constexpr int kMaxJsonDepth = 32;  // an ipuz crossword nests five deep; deeper is an attack

// --- writing ---

Json cellStyle(const CrosswordFile& cw, int r, int c, const std::map<const Picture*, std::string>& urls,
               const std::map<const Picture*, std::pair<int, int>>& pixelSizes) {
  Json style = Json::object();
  std::string dotted;
  auto marked = [&](const std::vector<EdgeMark>& marks) {
    return std::any_of(marks.begin(), marks.end(),
                       [&](const EdgeMark& m) { return m.row == r && m.column == c; });
  };
  if (marked(cw.topMarks)) dotted += 'T';
  if (marked(cw.leftMarks)) dotted += 'L';
  if (!dotted.empty()) style["dotted"] = dotted;
  for (const Picture& p : cw.pictures) {
    if (r < p.row || r >= p.row + p.height || c < p.column || c >= p.column + p.width) continue;
    const auto [w, h] = pixelSizes.at(&p);
    style["imagebg"] = urls.at(&p);
    // The part of the picture this cell shows, in the picture's pixels.
    style["slice"] = {(c - p.column) * w / p.width, (r - p.row) * h / p.height,
                      (c - p.column + 1) * w / p.width, (r - p.row + 1) * h / p.height};
    break;
  }
  return style;
}

}  // namespace

ExportedCrossword writeIpuz(const CrosswordFile& cw, const CrosswordCredits& credits) {
  if (cw.rows == 0 || cw.columns == 0) throw InterchangeError("The crossword has no board to export.");
  ExportedCrossword out;
  const CrosswordNumbering numbering = numberCrossword(cw);
  out.notes = numbering.notes;

  std::map<const Picture*, std::string> urls;
  std::map<const Picture*, std::pair<int, int>> pixelSizes;
  for (const Picture& p : cw.pictures) {
    // The slices need the full size, which the header holds; the picture itself is decoded only
    // as large as it is drawn, to know it is readable.
    const auto size = decodedJpegSize(p.jpeg, 0, 0);
    try {
      decodePicture(p);
    } catch (const FormatError& e) {
      throw InterchangeError("The picture at " + cellName(p.row, p.column) +
                             " is not a readable JPEG: " + e.what());
    }
    if (!size)
      throw InterchangeError("The picture at " + cellName(p.row, p.column) + " is not a readable JPEG.");
    pixelSizes[&p] = *size;
    urls[&p] = std::string(kJpegDataUrl) + encodeBase64(p.jpeg);
    for (int r = p.row; r < p.row + p.height; ++r)
      for (int c = p.column; c < p.column + p.width; ++c)
        if (cw.cell(r, c) != kBlankCell) {
          out.notes.push_back("The letters under the picture at " + cellName(p.row, p.column) +
                              " are left out: the picture covers them.");
          r = p.row + p.height;
          break;
        }
  }

  Json puzzle = Json::array(), solution = Json::array();
  for (int r = 0; r < cw.rows; ++r) {
    Json puzzleRow = Json::array(), solutionRow = Json::array();
    for (int c = 0; c < cw.columns; ++c) {
      const bool block = isBlockCell(cw, r, c);
      Json cell = block ? Json("#") : Json(numbering.numberAt(r, c));
      Json style = cellStyle(cw, r, c, urls, pixelSizes);
      puzzleRow.push_back(style.empty() ? cell : Json{{"cell", cell}, {"style", style}});
      solutionRow.push_back(block ? Json("#") : Json(boardLetterUtf8(cw, r, c)));
    }
    puzzle.push_back(std::move(puzzleRow));
    solution.push_back(std::move(solutionRow));
  }

  auto clueList = [&](const std::vector<NumberedWord>& words) {
    Json list = Json::array();
    for (const NumberedWord& w : words) {
      Json cells = Json::array();
      const bool across = w.direction == Direction::Across;
      for (int i = 0; i < w.length; ++i)
        cells.push_back({(across ? w.column + i : w.column) + 1, (across ? w.row : w.row + i) + 1});
      list.push_back({{"number", w.number}, {"clue", clueUtf8(cw, w.clue)}, {"cells", cells}});
    }
    return list;
  };

  Json ipuz = {
      {"version", "http://ipuz.org/v2"},
      {"kind", {"http://ipuz.org/crossword#1"}},
      {"origin", "Gridwright"},
      {"dimensions", {{"width", cw.columns}, {"height", cw.rows}}},
      {"block", "#"},
      {"empty", 0},
      {"puzzle", puzzle},
      {"solution", solution},
      {"clues", {{"Across", clueList(numbering.across)}, {"Down", clueList(numbering.down)}}},
      {std::string(kIpuzLanguageKey), std::string(languageName(cw.language))},
      {std::string(kIpuzCharsetKey), std::string(clueCharsetName(cw.charset))},
  };
  if (!credits.title.empty()) ipuz["title"] = credits.title;
  if (!credits.author.empty()) ipuz["author"] = credits.author;
  auto markList = [](const std::vector<EdgeMark>& marks) {
    Json list = Json::array();
    for (const EdgeMark& m : marks) list.push_back({m.row, m.column});
    return list;
  };
  if (!cw.topMarks.empty() || !cw.leftMarks.empty())
    ipuz[std::string(kIpuzEdgeMarksKey)] = {{"top", markList(cw.topMarks)}, {"left", markList(cw.leftMarks)}};
  Json words = Json::array();
  for (const DefinitionRecord& d : cw.definitions)
    words.push_back({d.direction == Direction::Across ? "Across" : "Down", d.row, d.column, d.length});
  ipuz[std::string(kIpuzDefinitionsKey)] = std::move(words);
  if (!cw.pictures.empty()) {
    Json rectangles = Json::array();
    for (const Picture& p : cw.pictures) rectangles.push_back({p.row, p.column, p.width, p.height});
    ipuz[std::string(kIpuzPicturesKey)] = std::move(rectangles);
  }
  out.bytes = ipuz.dump(1) + "\n";
  if (out.bytes.size() > kMaxInterchangeFileBytes)
    throw InterchangeError("The ipuz file would hold " + std::to_string(out.bytes.size()) +
                           " bytes, more than the " + std::to_string(kMaxInterchangeFileBytes >> 20) +
                           " MB an ipuz file may have; its pictures are too large.");
  return out;
}

// --- reading ---

namespace {

[[noreturn]] void refuse(const std::string& message) { throw InterchangeError(message); }

// Nesting depth of the JSON text, counted outside strings, so that a deeply nested file is
// refused before the parser builds it.
void checkDepth(std::string_view text) {
  int depth = 0;
  bool inString = false, escaped = false;
  for (char ch : text) {
    if (inString) {
      if (escaped)
        escaped = false;
      else if (ch == '\\')
        escaped = true;
      else if (ch == '"')
        inString = false;
    } else if (ch == '"') {
      inString = true;
    } else if (ch == '[' || ch == '{') {
      if (++depth > kMaxJsonDepth) refuse("The ipuz file nests its data too deeply to be a crossword.");
    } else if (ch == ']' || ch == '}') {
      --depth;
    }
  }
}

// A number or label of the puzzle grid as text ("5"); "" for none.
std::string labelText(const Json& v) {
  if (v.is_number_integer()) return v.get<long long>() == 0 ? "" : std::to_string(v.get<long long>());
  if (v.is_string()) return v.get<std::string>() == "0" ? "" : v.get<std::string>();
  return "";
}

const char* styleMeaning(const std::string& key) {
  static const std::map<std::string, const char*> kMeanings = {
      {"shapebg", "a shape such as a circle"},
      {"barred", "barred edges"},
      {"dashed", "dashed edges"},
      {"color", "a colour"},
      {"colortext", "a text colour"},
      {"colorborder", "a border colour"},
      {"divided", "a divided cell"},
      {"mark", "corner marks"},
      {"label", "a label"},
      {"highlight", "highlighting"},
      {"image", "a picture in the cell"},
      {"named", "a named style"},
      {"border", "a border"},
  };
  const auto it = kMeanings.find(key);
  return it == kMeanings.end() ? "a style" : it->second;
}

struct CellReader {
  CellReader(ForeignCrossword& crossword, const Json& file) : f(crossword), ipuz(file) {}
  ForeignCrossword& f;
  const Json& ipuz;
  std::string block = "#";
  std::string empty = "0";
  std::set<std::pair<int, int>> top, left;                               // (row, column)
  std::map<std::string, std::vector<std::pair<int, int>>> pictureCells;  // url -> cells
  std::map<std::string, std::pair<int, int>> labels;                     // label -> (row, column)

  bool isBlock(const Json& v) const {
    return v.is_null() || (v.is_string() && v.get<std::string>() == block);
  }

  const Json& resolveStyle(const Json& style, int r, int c) const {
    if (!style.is_string()) return style;
    const auto styles = ipuz.find("styles");
    if (styles == ipuz.end() || !styles->is_object() || !styles->contains(style.get<std::string>()))
      refuse("The cell at " + cellName(r, c) + " names the style \"" + style.get<std::string>() +
             "\", which the file does not define.");
    return (*styles)[style.get<std::string>()];
  }

  void readStyle(const Json& styleValue, int r, int c, bool blockCell) {
    const Json& style = resolveStyle(styleValue, r, c);
    if (!style.is_object()) refuse("The cell at " + cellName(r, c) + " has a style that is not an object.");
    for (const auto& [key, value] : style.items()) {
      if (key == "dotted") {
        if (!value.is_string())
          refuse("The dotted edges of the cell at " + cellName(r, c) + " are not side letters.");
        for (char side : value.get<std::string>()) {
          switch (side) {
            case 'T': top.insert({r, c}); break;
            case 'L': left.insert({r, c}); break;
            case 'B':
              if (r + 1 >= f.rows)
                refuse(
                    "The cell at " + cellName(r, c) +
                    " has a dotted bottom edge on the border of the board, which a crossword cannot hold.");
              top.insert({r + 1, c});
              break;
            case 'R':
              if (c + 1 >= f.columns)
                refuse("The cell at " + cellName(r, c) +
                       " has a dotted right edge on the border of the board, which a crossword cannot hold.");
              left.insert({r, c + 1});
              break;
            default:
              refuse("The cell at " + cellName(r, c) + " has a dotted edge on side \"" +
                     std::string(1, side) + "\", which is none of T, R, B, L.");
          }
        }
      } else if (key == "imagebg") {
        if (!value.is_string() || value.get<std::string>().rfind(kJpegDataUrl, 0) != 0)
          refuse("The cell at " + cellName(r, c) +
                 " shows a picture that is not a JPEG held in the file (a data:image/jpeg;base64 URL).");
        if (!blockCell)
          refuse("The cell at " + cellName(r, c) +
                 " shows a picture over a letter, which a crossword cannot hold.");
        pictureCells[value.get<std::string>()].push_back({r, c});
      } else if (key == "slice") {
        // Where the picture's part for this cell lies: the rectangle of its cells says it for us.
      } else {
        refuse("The cell at " + cellName(r, c) + " has " + styleMeaning(key) + " (style \"" + key +
               "\"), which a crossword cannot hold; only dotted edges and pictures are taken over.");
      }
    }
  }

  void readCell(const Json& puzzleCell, const Json& solutionCell, int r, int c) {
    Json cell = puzzleCell;
    if (puzzleCell.is_object()) {
      for (const auto& [key, value] : puzzleCell.items())
        if (key != "cell" && key != "style")
          refuse("The cell at " + cellName(r, c) + " holds \"" + key + "\" (" +
                 (key == "value" ? "a letter given to the player" : "something") +
                 "), which a crossword cannot hold.");
      cell = puzzleCell.value("cell", Json(empty));
    }
    if (!cell.is_null() && !cell.is_string() && !cell.is_number_integer())
      refuse("The cell at " + cellName(r, c) +
             " of the puzzle grid is neither a number, a label nor a block.");
    const bool blockCell = isBlock(cell);
    if (puzzleCell.is_object() && puzzleCell.contains("style"))
      readStyle(puzzleCell["style"], r, c, blockCell);

    std::string& letter = f.solution[static_cast<std::size_t>(r) * f.columns + c];
    if (blockCell) return;
    const std::string label = labelText(cell);
    if (!label.empty() && !labels.emplace(label, std::pair{r, c}).second)
      refuse("The number " + label + " stands on two cells of the puzzle grid.");
    Json value = solutionCell;
    if (value.is_object()) value = value.value("value", Json());
    if (!value.is_string() || value.get<std::string>().empty() || isBlock(value) ||
        value.get<std::string>() == empty)
      refuse("The cell at " + cellName(r, c) + " has no letter in the solution.");
    letter = value.get<std::string>();
  }
};

const Json& member(const Json& object, const char* key, const std::string& what) {
  const auto it = object.find(key);
  if (it == object.end()) refuse("The ipuz file has no " + what + " (\"" + key + "\").");
  return *it;
}

const Json& gridRow(const Json& grid, int r, int columns, const char* name) {
  if (!grid.is_array() || static_cast<int>(grid.size()) <= r)
    refuse(std::string("The ") + name + " grid of the ipuz file has fewer rows than its dimensions say.");
  const Json& row = grid[static_cast<std::size_t>(r)];
  if (!row.is_array() || static_cast<int>(row.size()) < columns)
    refuse(std::string("Row ") + std::to_string(r) + " of the " + name +
           " grid of the ipuz file has fewer cells than its dimensions say.");
  return row;
}

// An integer member of a JSON array, within [0, limit).
std::optional<int> smallIndex(const Json& value, int limit) {
  if (!value.is_number_integer() || value.get<long long>() < 0 || value.get<long long>() >= limit)
    return std::nullopt;
  return value.get<int>();
}

struct PictureRectangle {
  int top, left, bottom, right;  // inclusive
  const std::string* url;        // a key of CellReader::pictureCells: one pointer per URL
};

// The rectangle of each picture's cells, one picture per URL.
std::vector<PictureRectangle> rectanglesByUrl(const CellReader& cells) {
  std::vector<PictureRectangle> rectangles;
  for (const auto& [url, list] : cells.pictureCells) {
    PictureRectangle p{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), -1, -1, &url};
    for (const auto& [r, c] : list) {
      p.top = std::min(p.top, r);
      p.left = std::min(p.left, c);
      p.bottom = std::max(p.bottom, r);
      p.right = std::max(p.right, c);
    }
    if (static_cast<std::size_t>((p.bottom - p.top + 1) * (p.right - p.left + 1)) != list.size())
      refuse("The picture at " + cellName(p.top, p.left) + " does not cover a rectangle of cells.");
    rectangles.push_back(p);
  }
  return rectangles;
}

// The rectangles of our extension, when they cover exactly the picture cells, each within the
// cells of one URL: neighbouring pictures of the same JPEG stay apart.
std::optional<std::vector<PictureRectangle>> listedRectangles(const CellReader& cells, const Json& ipuz) {
  const auto ext = ipuz.find(kIpuzPicturesKey);
  if (ext == ipuz.end() || !ext->is_array()) return std::nullopt;
  std::map<std::pair<int, int>, const std::string*> unclaimed;  // (row, column) -> URL
  for (const auto& [url, list] : cells.pictureCells)
    for (const auto& cell : list) unclaimed[cell] = &url;
  std::vector<PictureRectangle> rectangles;
  for (const Json& p : *ext) {
    if (!p.is_array() || p.size() != 4) return std::nullopt;
    const auto top = smallIndex(p[0], 256), left = smallIndex(p[1], 256);
    const auto width = smallIndex(p[2], 256), height = smallIndex(p[3], 256);
    if (!top || !left || !width || !height || *width == 0 || *height == 0) return std::nullopt;
    const auto corner = unclaimed.find({*top, *left});
    if (corner == unclaimed.end()) return std::nullopt;
    const std::string* url = corner->second;
    for (int r = *top; r < *top + *height; ++r)
      for (int c = *left; c < *left + *width; ++c) {
        const auto cell = unclaimed.find({r, c});
        if (cell == unclaimed.end() || cell->second != url) return std::nullopt;
        unclaimed.erase(cell);
      }
    rectangles.push_back({*top, *left, *top + *height - 1, *left + *width - 1, url});
  }
  if (!unclaimed.empty()) return std::nullopt;
  return rectangles;
}

void readPictures(const CellReader& cells, const Json& ipuz, ForeignCrossword& f) {
  std::vector<PictureRectangle> rectangles;
  if (auto listed = listedRectangles(cells, ipuz))
    rectangles = std::move(*listed);
  else
    rectangles = rectanglesByUrl(cells);
  std::map<const std::string*, std::string> jpegs;  // URL -> JPEG, each decoded once
  for (const PictureRectangle& r : rectangles) {
    auto jpeg = jpegs.find(r.url);
    if (jpeg == jpegs.end()) {
      const std::optional<std::string> bytes =
          decodeBase64(std::string_view(*r.url).substr(kJpegDataUrl.size()));
      if (!bytes) refuse("The picture at " + cellName(r.top, r.left) + " is not valid base64.");
      jpeg = jpegs.emplace(r.url, *bytes).first;
    }
    Picture p;
    p.column = static_cast<std::uint8_t>(r.left);
    p.row = static_cast<std::uint8_t>(r.top);
    p.width = static_cast<std::uint8_t>(r.right - r.left + 1);
    p.height = static_cast<std::uint8_t>(r.bottom - r.top + 1);
    p.jpeg = jpeg->second;
    f.pictures.push_back(std::move(p));
  }
  std::sort(f.pictures.begin(), f.pictures.end(), [](const Picture& a, const Picture& b) {
    return std::pair(a.row, a.column) < std::pair(b.row, b.column);
  });
  // The headers first: a small file may declare pictures that no memory holds.
  try {
    requirePictureBudget(f.pictures);
  } catch (const JpegError& e) {
    refuse(e.what());
  }
  // Each picture decoded as the boards draw it, so that a broken one is refused here.
  for (const Picture& p : f.pictures) {
    try {
      decodePicture(p);
    } catch (const FormatError& e) {
      refuse("The picture at " + cellName(p.row, p.column) + " is not a readable JPEG: " + e.what());
    }
  }
}

void readClues(const Json& ipuz, const CellReader& cells, ForeignCrossword& f,
               std::vector<std::string>& notes) {
  const auto clues = ipuz.find("clues");
  if (clues == ipuz.end()) return;
  if (!clues->is_object()) refuse("The clues of the ipuz file are not a list by direction.");
  bool enumerations = false;
  for (const auto& [key, list] : clues->items()) {
    const std::string direction = key.substr(0, key.find(':'));
    if (direction != "Across" && direction != "Down")
      refuse("The ipuz file has clues in the direction \"" + direction +
             "\"; a crossword has only Across and Down.");
    if (!list.is_array()) refuse("The " + direction + " clues of the ipuz file are not a list.");
    for (const Json& clue : list) {
      Json number, text;
      if (clue.is_array() && clue.size() == 2) {
        number = clue[0];
        text = clue[1];
      } else if (clue.is_object()) {
        number = clue.value("number", Json());
        text = clue.value("clue", Json(""));
        for (const auto& [field, value] : clue.items()) {
          if (field == "image")
            refuse("A " + direction +
                   " clue of the ipuz file holds a picture, which a crossword cannot hold.");
          if (field == "enumeration") enumerations = true;
        }
      } else {
        refuse("A " + direction + " clue of the ipuz file has no number.");
      }
      const std::string label = labelText(number);
      if (label.empty()) refuse("A " + direction + " clue of the ipuz file has no number.");
      if (!text.is_string()) refuse("The clue " + direction + " " + label + " of the ipuz file is not text.");
      const auto cell = cells.labels.find(label);
      if (cell == cells.labels.end())
        refuse("The clue " + direction + " " + label + " names no numbered cell of the puzzle grid.");
      f.clues.push_back({direction == "Across" ? Direction::Across : Direction::Down, cell->second.first,
                         cell->second.second, text.get<std::string>(), direction + " " + label});
    }
  }
  if (enumerations)
    notes.push_back("The enumerations of the clues are left out: the word lengths show them.");
}

}  // namespace

namespace {

// The marks of the dotted sides, in the order of our extension when it lists exactly them, else
// row by row.
std::vector<EdgeMark> marksInOrder(const std::set<std::pair<int, int>>& dotted, const Json& ipuz,
                                   const char* side) {
  std::vector<EdgeMark> marks;
  for (const auto& [r, c] : dotted)
    marks.push_back({static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r)});
  const auto ext = ipuz.find(kIpuzEdgeMarksKey);
  if (ext == ipuz.end() || !ext->is_object() || !ext->contains(side) || !(*ext)[side].is_array() ||
      (*ext)[side].size() != dotted.size())
    return marks;
  std::vector<EdgeMark> ordered;
  std::set<std::pair<int, int>> seen;
  for (const Json& m : (*ext)[side]) {
    if (!m.is_array() || m.size() != 2) return marks;
    const auto r = smallIndex(m[0], 256), c = smallIndex(m[1], 256);
    if (!r || !c || !dotted.contains({*r, *c}) || !seen.insert({*r, *c}).second) return marks;
    ordered.push_back({static_cast<std::uint8_t>(*c), static_cast<std::uint8_t>(*r)});
  }
  return ordered;
}

// The words that have a definition, from our extension; buildCrossword checks them against the board.
std::optional<std::vector<DefinitionRecord>> definitionWords(const Json& ipuz) {
  const auto ext = ipuz.find(kIpuzDefinitionsKey);
  if (ext == ipuz.end() || !ext->is_array()) return std::nullopt;
  std::vector<DefinitionRecord> words;
  for (const Json& w : *ext) {
    if (!w.is_array() || w.size() != 4 || !w[0].is_string()) return std::nullopt;
    const std::string direction = w[0].get<std::string>();
    const auto r = smallIndex(w[1], 256), c = smallIndex(w[2], 256), length = smallIndex(w[3], 256);
    if ((direction != "Across" && direction != "Down") || !r || !c || !length) return std::nullopt;
    words.push_back({direction == "Across" ? Direction::Across : Direction::Down,
                     static_cast<std::uint8_t>(*r), static_cast<std::uint8_t>(*c),
                     static_cast<std::uint8_t>(*length), ""});
  }
  return words;
}

}  // namespace

ImportedCrossword readIpuz(std::string_view bytes) {
  if (bytes.size() > kMaxInterchangeFileBytes) refuse("The ipuz file is too large to be a crossword.");
  checkDepth(bytes);
  Json ipuz;
  try {
    ipuz = Json::parse(bytes);
  } catch (const Json::exception& e) {
    refuse(std::string("The ipuz file is not valid JSON: ") + e.what());
  }
  if (!ipuz.is_object()) refuse("The ipuz file does not hold a puzzle.");
  const Json& version = member(ipuz, "version", "version");
  if (!version.is_string() || version.get<std::string>().rfind("http://ipuz.org/v", 0) != 0)
    refuse("The ipuz file has an unknown version.");
  const Json& kind = member(ipuz, "kind", "puzzle kind");
  const bool crossword =
      kind.is_array() && std::any_of(kind.begin(), kind.end(), [](const Json& k) {
        return k.is_string() && k.get<std::string>().rfind("http://ipuz.org/crossword", 0) == 0;
      });
  if (!crossword) refuse("The ipuz file holds a puzzle that is not a crossword.");

  ImportedCrossword result;
  ForeignCrossword f;
  const Json& dimensions = member(ipuz, "dimensions", "dimensions");
  const Json width = dimensions.is_object() ? dimensions.value("width", Json()) : Json();
  const Json height = dimensions.is_object() ? dimensions.value("height", Json()) : Json();
  if (!width.is_number_integer() || !height.is_number_integer() || width.get<long long>() < 1 ||
      height.get<long long>() < 1 || width.get<long long>() > 255 || height.get<long long>() > 255)
    refuse("The ipuz file's dimensions are not 1 to 255 columns and rows.");
  f.columns = width.get<int>();
  f.rows = height.get<int>();
  f.solution.assign(static_cast<std::size_t>(f.rows) * f.columns, "");

  CellReader cells(f, ipuz);
  if (const auto b = ipuz.find("block"); b != ipuz.end() && b->is_string())
    cells.block = b->get<std::string>();
  if (const auto e = ipuz.find("empty"); e != ipuz.end()) {
    if (e->is_string())
      cells.empty = e->get<std::string>();
    else if (e->is_number_integer())
      cells.empty = std::to_string(e->get<long long>());
  }
  const Json& puzzle = member(ipuz, "puzzle", "puzzle grid");
  const Json& solution = member(ipuz, "solution", "solution");
  for (int r = 0; r < f.rows; ++r) {
    const Json& puzzleRow = gridRow(puzzle, r, f.columns, "puzzle");
    const Json& solutionRow = gridRow(solution, r, f.columns, "solution");
    for (int c = 0; c < f.columns; ++c)
      cells.readCell(puzzleRow[static_cast<std::size_t>(c)], solutionRow[static_cast<std::size_t>(c)], r, c);
  }
  f.topMarks = marksInOrder(cells.top, ipuz, "top");
  f.leftMarks = marksInOrder(cells.left, ipuz, "left");
  f.definitionWords = definitionWords(ipuz);
  readPictures(cells, ipuz, f);
  readClues(ipuz, cells, f, result.notes);

  if (const auto language = ipuz.find(kIpuzLanguageKey); language != ipuz.end() && language->is_string())
    for (Language known : {Language::English, Language::German, Language::Serbian})
      if (languageName(known) == language->get<std::string>()) f.language = known;
  if (const auto charset = ipuz.find(kIpuzCharsetKey); charset != ipuz.end() && charset->is_string())
    for (ClueCharset known : {ClueCharset::Ansi, ClueCharset::SerbianCyrillic, ClueCharset::SerbianLatin})
      if (clueCharsetName(known) == charset->get<std::string>()) f.charset = known;

  std::vector<std::string> leftOut;
  for (const char* field : {"title", "author", "editor", "copyright", "publisher", "date", "notes", "intro",
                            "explanation", "saved"})
    if (ipuz.contains(field)) leftOut.push_back(field);
  if (!leftOut.empty()) {
    std::string list;
    for (const std::string& field : leftOut) list += (list.empty() ? "" : ", ") + field;
    result.notes.push_back("Left out, as a crossword file has no place for them: " + list + ".");
  }
  result.crossword = buildCrossword(f, "ipuz");
  return result;
}

}  // namespace gw
