#include "common/crossword_reader.h"

#include "common/byte_io.h"
#include "common/file_io.h"
#include "common/picture_decoding.h"

namespace gw {
namespace {

[[noreturn]] void damaged(const std::string& what) {
  throw CrosswordReadError(CrosswordReadError::Kind::Damaged, "The crossword file is damaged: " + what,
                           std::string(kCrosswordMagic));
}

std::string boardSize(const CrosswordFile& cw) {
  return std::to_string(cw.rows) + " x " + std::to_string(cw.columns) + " board";
}

// `count` records of at least `bytesEach` bytes, refused before any is read when the file
// cannot hold them, so a damaged count never allocates more than the file could fill.
template <typename Record, typename ReadOne>
void readRecords(ByteReader& in, std::uint32_t count, std::uint64_t bytesEach, const char* countField,
                 std::vector<Record>& records, ReadOne readOne) {
  in.requireRoom(count, bytesEach, countField);
  records.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) readOne(records[i], i);
}

void readMarks(ByteReader& in, std::uint32_t count, std::vector<EdgeMark>& marks, const char* field,
               const CrosswordFile& cw) {
  readRecords(in, count, 2, field, marks, [&](EdgeMark& m, std::uint32_t i) {
    m.column = in.u8(field);
    m.row = in.u8(field);
    if (m.column >= cw.columns || m.row >= cw.rows)
      damaged(std::string(field) + " " + std::to_string(i + 1) + " (column " + std::to_string(m.column) +
              ", row " + std::to_string(m.row) + ") lies outside the " + boardSize(cw) + ".");
  });
}

void readDefinitions(ByteReader& in, CrosswordFile& cw) {
  const std::uint32_t count = in.u32("definition count");
  readRecords(in, count, 8, "definition count", cw.definitions, [&](DefinitionRecord& d, std::uint32_t i) {
    d.direction = in.u8("definition") != 0 ? Direction::Across : Direction::Down;
    const bool across = d.direction == Direction::Across;
    d.row = in.u8("definition");
    d.column = in.u8("definition");
    d.length = in.u8("definition");
    const std::uint32_t clueLength = in.u32("definition");
    const std::string name = "definition " + std::to_string(i + 1) + " (" + (across ? "across" : "down") +
                             " at row " + std::to_string(d.row) + ", column " + std::to_string(d.column) +
                             ", " + std::to_string(d.length) + " letters)";
    const unsigned end = across ? unsigned{d.column} + d.length : unsigned{d.row} + d.length;
    const unsigned limit = across ? cw.columns : cw.rows;
    if (d.row >= cw.rows || d.column >= cw.columns || d.length == 0 || end > limit)
      damaged(name + " does not fit the " + boardSize(cw) + ".");
    d.clue = std::string(in.bytes(clueLength, "clue text"));
  });
}

void readPictures(ByteReader& in, CrosswordFile& cw) {
  const std::uint32_t count = in.u32("picture count");
  readRecords(in, count, 8, "picture count", cw.pictures, [&](Picture& p, std::uint32_t i) {
    p.column = in.u8("picture");
    p.row = in.u8("picture");
    p.width = in.u8("picture");
    p.height = in.u8("picture");
    const std::uint32_t size = in.u32("picture");
    if (p.width == 0 || p.height == 0 || unsigned{p.column} + p.width > cw.columns ||
        unsigned{p.row} + p.height > cw.rows)
      damaged("picture " + std::to_string(i + 1) + " (column " + std::to_string(p.column) + ", row " +
              std::to_string(p.row) + ", " + std::to_string(p.width) + " x " + std::to_string(p.height) +
              " cells) does not fit the " + boardSize(cw) + ".");
    p.jpeg = std::string(in.bytes(size, "picture data"));
  });
}

}  // namespace

CrosswordFile parseCrossword(std::string_view bytes, CrosswordReadMode mode) {
  const std::string magic(bytes.substr(0, kCrosswordMagic.size()));
  if (magic.size() < kCrosswordMagic.size())
    throw CrosswordReadError(CrosswordReadError::Kind::TooShort, std::string(kBadFileMessage), magic);
  if (magic != kCrosswordMagic)
    throw CrosswordReadError(CrosswordReadError::Kind::BadMagic, CrosswordReadError::badFormatMessage(magic),
                             magic);

  CrosswordFile cw;
  ByteReader in(bytes, "crossword file");
  try {
    in.skip(kCrosswordMagic.size(), "magic");
    cw.language = static_cast<Language>(in.u8("language code"));
    cw.rows = in.u8("row count");
    cw.columns = in.u8("column count");
    cw.board = std::string(in.bytes(std::uint64_t{cw.rows} * cw.columns, "board"));
    const std::uint32_t topCount = in.u32("top-edge mark count");
    const std::uint32_t leftCount = in.u32("left-edge mark count");
    readMarks(in, topCount, cw.topMarks, "top-edge mark", cw);
    readMarks(in, leftCount, cw.leftMarks, "left-edge mark", cw);
    cw.charset = static_cast<ClueCharset>(in.u8("definition charset"));
    if (mode == CrosswordReadMode::Solver) {
      cw.language = knownLanguageOrEnglish(cw.language);
      cw.charset = knownClueCharsetOrAnsi(cw.charset);
    }
    readDefinitions(in, cw);
    readPictures(in, cw);
    requirePictureBudget(cw.pictures);
  } catch (const CrosswordReadError&) {
    throw;
  } catch (const FormatError& e) {
    throw CrosswordReadError(CrosswordReadError::Kind::Damaged, e.what(), magic);
  }
  return cw;
}

CrosswordFile readCrosswordFile(const std::filesystem::path& path, CrosswordReadMode mode) {
  const std::string bytes = readWholeFile(path, kMaxCrosswordFileBytes);
  try {
    return parseCrossword(bytes, mode);
  } catch (const std::bad_alloc&) {
    throw FileError(outOfMemoryMessage(path));
  }
}

}  // namespace gw
