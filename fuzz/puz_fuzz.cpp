// The .puz reader: any bytes end in a crossword or an InterchangeError, and a crossword read
// writes back to .puz, where it can, and reads again the same. Every other input has its
// checksums made right first, so that mutations reach past the checksum check.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "interchange/puz_format.h"

namespace {

// Recomputes the file, CIB and masked checksums of a .puz file that starts with its header.
// Leaves bytes that do not hold a complete header, grids and strings as they are.
void makeChecksumsRight(std::string& b) {
  if (b.size() < 52) return;
  const std::size_t cells =
      static_cast<std::size_t>(static_cast<unsigned char>(b[0x2C])) * static_cast<unsigned char>(b[0x2D]);
  const unsigned clues = static_cast<unsigned char>(b[0x2E]) | static_cast<unsigned char>(b[0x2F]) << 8;
  if (b.size() < 52 + 2 * cells) return;
  const std::string_view all(b);
  const std::uint16_t cib = gw::puzChecksum(all.substr(0x2C, 8));
  const std::uint16_t solution = gw::puzChecksum(all.substr(52, cells));
  const std::uint16_t grid = gw::puzChecksum(all.substr(52 + cells, cells));
  std::uint16_t text = 0;
  std::uint16_t file =
      gw::puzChecksum(all.substr(52 + cells, cells), gw::puzChecksum(all.substr(52, cells), cib));
  std::size_t at = 52 + 2 * cells;
  for (unsigned i = 0; i < clues + 4; ++i) {
    const std::size_t end = b.find('\0', at);
    if (end == std::string::npos) return;
    const bool clue = i >= 3 && i < 3 + clues;
    const std::size_t length = end - at + (clue ? 0 : 1);
    if (end > at) {
      text = gw::puzChecksum(all.substr(at, length), text);
      file = gw::puzChecksum(all.substr(at, length), file);
    }
    at = end + 1;
  }
  b[0] = static_cast<char>(file & 0xFF);
  b[1] = static_cast<char>(file >> 8);
  b[0x0E] = static_cast<char>(cib & 0xFF);
  b[0x0F] = static_cast<char>(cib >> 8);
  const std::uint16_t parts[4] = {cib, solution, grid, text};
  for (int i = 0; i < 4; ++i) {
    b[0x10 + i] = static_cast<char>("ICHEATED"[i] ^ (parts[i] & 0xFF));
    b[0x14 + i] = static_cast<char>("ICHEATED"[i + 4] ^ (parts[i] >> 8));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 0 && (data[size - 1] & 1)) makeChecksumsRight(bytes);
  gw::ImportedCrossword in;
  try {
    in = gw::readPuz(bytes);
  } catch (const gw::InterchangeError&) {
    return 0;
  }
  gw::ExportedCrossword out;
  try {
    out = gw::writePuz(in.crossword);
  } catch (const gw::InterchangeError&) {
    return 0;  // letters that upper-case out of ISO-8859-1, for instance
  }
  if (gw::readPuz(out.bytes).crossword != in.crossword) __builtin_trap();
  return 0;
}
