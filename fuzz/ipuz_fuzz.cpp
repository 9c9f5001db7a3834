// The ipuz reader: any bytes end in a crossword or an InterchangeError, and a crossword read
// writes back to ipuz (or is refused with an InterchangeError) and reads again as the same
// crossword.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "interchange/ipuz_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  gw::ImportedCrossword in;
  try {
    in = gw::readIpuz(bytes);
  } catch (const gw::InterchangeError&) {
    return 0;
  }
  gw::ExportedCrossword out;
  try {
    out = gw::writeIpuz(in.crossword);
  } catch (const gw::InterchangeError&) {
    return 0;  // a picture drawn over many cells may not fit an ipuz file: a clear refusal
  }
  if (gw::readIpuz(out.bytes).crossword != in.crossword) __builtin_trap();
  return 0;
}
