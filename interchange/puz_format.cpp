#include "interchange/puz_format.h"

#include <algorithm>
#include <array>
#include <set>

#include "common/byte_io.h"
#include "common/codepage.h"
#include "common/language.h"
#include "interchange/crossword_numbering.h"

namespace gw {
namespace {

constexpr std::string_view kMagic{"ACROSS&DOWN\0", 12};
constexpr std::string_view kVersion{"1.3\0", 4};
constexpr std::string_view kMask = "ICHEATED";
constexpr std::size_t kCibSize = 8;
constexpr char kPuzBlock = '.';
constexpr char kPuzEmpty = '-';
constexpr const char* kPuzCodePage = "ISO-8859-1";
constexpr std::string_view kDamaged = "damaged .puz file";

[[noreturn]] void refuse(const std::string& message) { throw InterchangeError(message); }

struct PuzStrings {
  std::string title, author, copyright, notes;
  std::vector<std::string> clues;
};

// The checksum over the strings, as the file checksum and the masked checksum count them:
// title, author, copyright and notes with their NUL when not empty, clues without.
std::uint16_t stringsChecksum(const PuzStrings& s, std::uint16_t sum) {
  auto withNul = [&](const std::string& text) {
    if (!text.empty()) sum = puzChecksum(std::string_view(text.c_str(), text.size() + 1), sum);
  };
  withNul(s.title);
  withNul(s.author);
  withNul(s.copyright);
  for (const std::string& clue : s.clues) sum = puzChecksum(clue, sum);
  withNul(s.notes);
  return sum;
}

struct Checksums {
  std::uint16_t file = 0, cib = 0;
  std::array<std::uint8_t, 8> masked{};
};

Checksums computeChecksums(std::string_view cib, std::string_view solution, std::string_view grid,
                           const PuzStrings& strings) {
  Checksums c;
  c.cib = puzChecksum(cib);
  std::uint16_t file = puzChecksum(solution, c.cib);
  file = puzChecksum(grid, file);
  c.file = stringsChecksum(strings, file);
  const std::array<std::uint16_t, 4> parts = {c.cib, puzChecksum(solution), puzChecksum(grid),
                                              stringsChecksum(strings, 0)};
  for (std::size_t i = 0; i < 4; ++i) {
    c.masked[i] = static_cast<std::uint8_t>(kMask[i] ^ (parts[i] & 0xFF));
    c.masked[i + 4] = static_cast<std::uint8_t>(kMask[i + 4] ^ (parts[i] >> 8));
  }
  return c;
}

void u16(ByteWriter& w, std::uint16_t v) {
  w.u8(static_cast<std::uint8_t>(v & 0xFF));
  w.u8(static_cast<std::uint8_t>(v >> 8));
}

std::uint16_t u16(ByteReader& in, const char* field) {
  const std::uint16_t low = in.u8(field);
  return static_cast<std::uint16_t>(low | in.u8(field) << 8);
}

std::string toLatin1(const std::string& utf8, const std::string& what) {
  try {
    return fromUtf8(utf8, kPuzCodePage);
  } catch (const FormatError& e) {
    refuse(what + " cannot be written in a .puz file, which holds only ISO-8859-1 text: " + e.what() +
           " Export the crossword to ipuz instead, which holds every script.");
  }
}

}  // namespace

std::uint16_t puzChecksum(std::string_view bytes, std::uint16_t sum) {
  for (char ch : bytes) {
    sum = static_cast<std::uint16_t>((sum & 1) ? (sum >> 1) + 0x8000 : sum >> 1);
    sum = static_cast<std::uint16_t>(sum + static_cast<unsigned char>(ch));
  }
  return sum;
}

ExportedCrossword writePuz(const CrosswordFile& cw, const CrosswordCredits& credits) {
  if (cw.rows == 0 || cw.columns == 0) throw InterchangeError("The crossword has no board to export.");
  ExportedCrossword out;
  const CrosswordNumbering numbering = numberCrossword(cw);
  out.notes = numbering.notes;
  if (!cw.topMarks.empty() || !cw.leftMarks.empty())
    out.notes.push_back("The dotted edges are left out: .puz cannot carry them.");
  if (!cw.pictures.empty())
    out.notes.push_back("The pictures are left out and their cells are blocks: .puz cannot carry pictures.");

  std::string solution, grid;
  for (int r = 0; r < cw.rows; ++r)
    for (int c = 0; c < cw.columns; ++c) {
      if (isBlockCell(cw, r, c)) {
        solution += kPuzBlock;
        grid += kPuzBlock;
        continue;
      }
      const std::string letter = toLatin1(boardLetterUtf8(cw, r, c), "The letter at " + cellName(r, c));
      if (letter.size() != 1 || letter[0] == kPuzBlock || letter[0] == kPuzEmpty)
        refuse("The letter at " + cellName(r, c) + " cannot stand in a .puz grid.");
      solution += letter;
      grid += kPuzEmpty;
    }

  // Clues by number, Across before Down at the same number.
  PuzStrings strings;
  std::size_t a = 0, d = 0;
  while (a < numbering.across.size() || d < numbering.down.size()) {
    const bool takeAcross =
        d == numbering.down.size() ||
        (a < numbering.across.size() && numbering.across[a].number <= numbering.down[d].number);
    const NumberedWord& w = takeAcross ? numbering.across[a++] : numbering.down[d++];
    const std::string name =
        std::to_string(w.number) + (w.direction == Direction::Across ? " Across" : " Down");
    if (w.length < 2)
      refuse("The one-letter word " + name + " at " + cellName(w.row, w.column) +
             " has a clue, which .puz cannot carry (its numbering knows only words of two or more letters). "
             "Export the crossword to ipuz instead.");
    std::string clue = toLatin1(clueUtf8(cw, w.clue), "The clue " + name);
    if (clue.find('\0') != std::string::npos) refuse("The clue " + name + " holds a NUL character.");
    strings.clues.push_back(std::move(clue));
  }
  if (strings.clues.size() > 0xFFFF) refuse("The crossword has more clues than a .puz file can count.");
  strings.title = toLatin1(credits.title, "The title");
  strings.author = toLatin1(credits.author, "The author");
  for (const std::string* s : {&strings.title, &strings.author})
    if (s->find('\0') != std::string::npos) refuse("The title or author holds a NUL character.");

  ByteWriter cib;
  cib.u8(cw.columns);
  cib.u8(cw.rows);
  u16(cib, static_cast<std::uint16_t>(strings.clues.size()));
  u16(cib, 0x0001);  // a normal puzzle
  u16(cib, 0x0000);  // solution not scrambled
  const Checksums sums = computeChecksums(cib.data(), solution, grid, strings);

  ByteWriter w;
  u16(w, sums.file);
  w.bytes(kMagic);
  u16(w, sums.cib);
  for (std::uint8_t b : sums.masked) w.u8(b);
  w.bytes(kVersion);
  w.zeros(2);   // reserved
  u16(w, 0);    // checksum of the scrambled solution: none
  w.zeros(12);  // reserved
  w.bytes(cib.data());
  w.bytes(solution);
  w.bytes(grid);
  for (const std::string* s : {&strings.title, &strings.author, &strings.copyright}) {
    w.bytes(*s);
    w.u8(0);
  }
  for (const std::string& clue : strings.clues) {
    w.bytes(clue);
    w.u8(0);
  }
  w.bytes(strings.notes);
  w.u8(0);
  out.bytes = w.take();
  return out;
}

namespace {

std::string readString(ByteReader& in, const char* field) {
  std::string s;
  for (;;) {
    const char ch = static_cast<char>(in.u8(field));
    if (ch == '\0') return s;
    s += ch;
  }
}

std::string latin1ToUtf8(const std::string& bytes) { return toUtf8(bytes, kPuzCodePage); }

}  // namespace

ImportedCrossword readPuz(std::string_view bytes) {
  if (bytes.size() > kMaxInterchangeFileBytes) refuse("The .puz file is too large to be a crossword.");
  // Some files carry a few bytes before the header; the magic says where it starts.
  const std::size_t magicAt = bytes.find(kMagic);
  if (magicAt == std::string_view::npos || magicAt < 2)
    refuse("This is not a .puz file: it has no \"ACROSS&DOWN\" header.");
  bytes.remove_prefix(magicAt - 2);

  ImportedCrossword result;
  ByteReader in(bytes, ".puz file");
  try {
    const std::uint16_t fileSum = u16(in, "file checksum");
    in.skip(kMagic.size(), "header");
    const std::uint16_t cibSum = u16(in, "CIB checksum");
    const std::string_view masked = in.bytes(8, "masked checksums");
    in.skip(4 + 2, "version");
    const std::uint16_t scrambledSum = u16(in, "scrambled checksum");
    in.skip(12, "header");
    const std::string_view cib = in.bytes(kCibSize, "header");
    ByteReader cibIn(cib, ".puz header");
    const int width = cibIn.u8("width");
    const int height = cibIn.u8("height");
    const std::uint16_t clueCount = u16(cibIn, "clue count");
    const std::uint16_t type = u16(cibIn, "puzzle type");
    const std::uint16_t scrambled = u16(cibIn, "solution state");
    const std::string solution(in.bytes(static_cast<std::uint64_t>(width) * height, "solution grid"));
    const std::string grid(in.bytes(static_cast<std::uint64_t>(width) * height, "player grid"));
    PuzStrings strings;
    strings.title = readString(in, "title");
    strings.author = readString(in, "author");
    strings.copyright = readString(in, "copyright");
    in.requireRoom(clueCount, 1, "clues");
    for (int i = 0; i < clueCount; ++i) strings.clues.push_back(readString(in, "clues"));
    strings.notes = readString(in, "notes");

    const Checksums sums = computeChecksums(cib, solution, grid, strings);
    if (sums.file != fileSum || sums.cib != cibSum ||
        !std::equal(sums.masked.begin(), sums.masked.end(), masked.begin(),
                    [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }))
      refuse(std::string(kDamaged));
    if (scrambled != 0 || scrambledSum != 0)
      refuse("The solution of this .puz file is scrambled (locked with a key), so its letters are unknown.");
    if (type == 0x0401)
      refuse("This .puz file holds a diagramless puzzle, which a crossword file cannot hold.");
    if (width < 1 || height < 1) refuse("The .puz file holds an empty board.");

    // Extra sections: name, length, checksum, data, NUL.
    std::set<std::string> sections;
    while (in.remaining() >= 8) {
      const std::string name(in.bytes(4, "extra section"));
      const std::uint16_t length = u16(in, "extra section");
      const std::uint16_t sum = u16(in, "extra section");
      const std::string_view data = in.bytes(length, "extra section");
      in.skip(1, "extra section");
      if (puzChecksum(data) != sum) refuse(std::string(kDamaged));
      if (name == "GRBS" || name == "RTBL")
        refuse("The .puz file has rebus cells (several letters in a cell), which a crossword cannot hold.");
      if (name == "GEXT" && std::any_of(data.begin(), data.end(), [](char f) { return (f & 0x80) != 0; }))
        refuse("The .puz file has circled cells, which a crossword cannot hold.");
      sections.insert(name);
    }

    ForeignCrossword f;
    f.rows = height;
    f.columns = width;
    f.solution.resize(solution.size());
    for (std::size_t i = 0; i < solution.size(); ++i) {
      if (solution[i] == kPuzBlock || solution[i] == ':') continue;
      f.solution[i] = latin1ToUtf8(solution.substr(i, 1));
    }
    // Numbering is implicit: every cell that starts a word of two or more letters, row by row;
    // the clues follow in number order, Across before Down.
    auto letter = [&](int r, int c) {
      return r >= 0 && c >= 0 && r < height && c < width &&
             !f.solution[static_cast<std::size_t>(r) * width + c].empty();
    };
    std::size_t next = 0;
    int number = 0;
    for (int r = 0; r < height; ++r)
      for (int c = 0; c < width; ++c) {
        if (!letter(r, c)) continue;
        const bool across = !letter(r, c - 1) && letter(r, c + 1);
        const bool down = !letter(r - 1, c) && letter(r + 1, c);
        if (!across && !down) continue;
        ++number;
        for (bool dir : {true, false}) {
          if (!(dir ? across : down)) continue;
          const std::string label = std::to_string(number) + (dir ? " Across" : " Down");
          if (next >= strings.clues.size()) refuse("The .puz file has fewer clues than its grid has words.");
          f.clues.push_back(
              {dir ? Direction::Across : Direction::Down, r, c, latin1ToUtf8(strings.clues[next++]), label});
        }
      }
    if (next != strings.clues.size()) refuse("The .puz file has more clues than its grid has words.");
    // Without any clue text it is a bare fill, as the composer writes one: a crossword file
    // without definitions, which the editing page prepares when it opens it.
    if (std::all_of(strings.clues.begin(), strings.clues.end(),
                    [](const std::string& c) { return c.empty(); }))
      f.definitionWords.emplace();

    std::vector<std::string> leftOut;
    if (!strings.title.empty()) leftOut.push_back("title");
    if (!strings.author.empty()) leftOut.push_back("author");
    if (!strings.copyright.empty()) leftOut.push_back("copyright");
    if (!strings.notes.empty()) leftOut.push_back("notes");
    if (grid.find_first_not_of(std::string{kPuzBlock, kPuzEmpty}) != std::string::npos)
      leftOut.push_back("the letters already filled in");
    if (sections.count("LTIM")) leftOut.push_back("the timer");
    if (!leftOut.empty()) {
      std::string list;
      for (const std::string& item : leftOut) list += (list.empty() ? "" : ", ") + item;
      result.notes.push_back("Left out, as a crossword file has no place for them: " + list + ".");
    }
    result.crossword = buildCrossword(f, ".puz");
  } catch (const InterchangeError&) {
    throw;
  } catch (const FormatError& e) {
    refuse(e.what());
  }
  return result;
}

}  // namespace gw
