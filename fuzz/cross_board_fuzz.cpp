// Fuzz target: whatever a crossword file, a progress file and CROSS.CONF hold, the solver
// either refuses them with an error or plays on the board without reading out of bounds.
// The input is the crossword file itself, so that the example crosswords seed it well;
// the same bytes serve as CROSS.CONF, as the progress file (its last rows × columns bytes,
// for inputs of even length) and as the script of moves and keys (its last 512 bytes).
#include <cstdint>
#include <string_view>

#include "common/crossword_reader.h"
#include "common/errors.h"
#include "solver/core/board.h"
#include "solver/core/settings.h"

using namespace gw;
using namespace gw::cross;

namespace {

void play(Board& b, std::string_view script) {
  for (char c : script) {
    auto op = static_cast<std::uint8_t>(c);
    switch (op % 8) {
      case 0: b.move(0, 1); break;
      case 1: b.move(1, 0); break;
      case 2: b.move(0, -1); break;
      case 3: b.move(-1, 0); break;
      case 4: b.setDirection(op & 8 ? Direction::Down : Direction::Across); break;
      case 5: b.cheatOne(); break;
      case 6: {
        auto cell = b.cellAtPixel(op * 3 - 100, op * 2 - 50);
        if (cell && !b.isUnderPicture(cell->row, cell->column)) b.selectCell(*cell);
        break;
      }
      default: b.typeKey(static_cast<char>(op >> 1)); break;
    }
    (void)b.acrossClueAt();
    (void)b.downClueAt();
  }
  if (b.completed())
    while (b.blinkStep()) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view in(reinterpret_cast<const char*>(data), size);
  (void)parseSettings(in, "/Data");
  try {
    Board b = Board::fromCrossword(parseCrossword(in, CrosswordReadMode::Solver));
    const std::size_t cells = static_cast<std::size_t>(b.rows()) * b.columns();
    if (size % 2 == 0) {
      try {
        b.applyProgress(in.substr(in.size() > cells ? in.size() - cells : 0));
      } catch (const FormatError&) {
        // a progress file shorter than the board is refused whole
      }
    }
    play(b, in.substr(in.size() > 512 ? in.size() - 512 : 0));
  } catch (const FormatError&) {
    // refused with a message: what the player sees
  }
  return 0;
}
