#include "common/crossword_file.h"

#include "common/byte_io.h"
#include "common/file_io.h"

namespace gw {

std::string serializeCrossword(const CrosswordFile& cw) {
  ByteWriter w;
  w.bytes("CW10");
  w.u8(static_cast<std::uint8_t>(cw.language));
  w.u8(cw.rows);
  w.u8(cw.columns);
  w.bytes(cw.board);
  w.u32(static_cast<std::uint32_t>(cw.topMarks.size()));
  w.u32(static_cast<std::uint32_t>(cw.leftMarks.size()));
  for (const EdgeMark& m : cw.topMarks) {
    w.u8(m.column);
    w.u8(m.row);
  }
  for (const EdgeMark& m : cw.leftMarks) {
    w.u8(m.column);
    w.u8(m.row);
  }
  w.u8(static_cast<std::uint8_t>(cw.charset));
  w.u32(static_cast<std::uint32_t>(cw.definitions.size()));
  for (const DefinitionRecord& d : cw.definitions) {
    w.u8(d.direction == Direction::Across ? 1 : 0);
    w.u8(d.row);
    w.u8(d.column);
    w.u8(d.length);
    w.u32(static_cast<std::uint32_t>(d.clue.size()));
    w.bytes(d.clue);
  }
  w.u32(static_cast<std::uint32_t>(cw.pictures.size()));
  for (const Picture& p : cw.pictures) {
    w.u8(p.column);
    w.u8(p.row);
    w.u8(p.width);
    w.u8(p.height);
    w.u32(static_cast<std::uint32_t>(p.jpeg.size()));
    w.bytes(p.jpeg);
  }
  return w.take();
}

void writeCrosswordFile(const std::filesystem::path& path, const CrosswordFile& crossword) {
  writeFileAtomically(path, serializeCrossword(crossword));
}

}  // namespace gw
