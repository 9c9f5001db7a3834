// The solver's reading of a crossword file: parse, then decode every picture.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/crossword_reader.h"
#include "common/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  gw::CrosswordFile cw;
  try {
    cw = gw::parseCrossword(bytes, gw::CrosswordReadMode::Solver);
  } catch (const gw::CrosswordReadError&) {
    return 0;
  }
  // What was accepted fits the board and the file.
  if (cw.board.size() != std::size_t{cw.rows} * cw.columns || !gw::isKnownClueCharset(cw.charset) ||
      !gw::isKnownLanguage(cw.language))
    __builtin_trap();
  for (const gw::DefinitionRecord& d : cw.definitions)
    if (const bool across = d.direction == gw::Direction::Across;
        (across ? d.column : d.row) + d.length > (across ? cw.columns : cw.rows))
      __builtin_trap();
  for (const gw::Picture& p : cw.pictures) {
    try {
      const gw::IndexedImage image = gw::decodeJpeg(p.jpeg);
      if (image.pixels.size() != std::size_t(image.width) * image.height || image.palette.size() > 256)
        __builtin_trap();
    } catch (const gw::JpegError&) {
    }
  }
  return 0;
}
