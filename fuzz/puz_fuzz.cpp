// The .puz reader: any bytes end in a crossword or an InterchangeError (a wrong checksum among
// them), and a crossword read writes back to .puz, where it can, and reads again the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "export/puz_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
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
