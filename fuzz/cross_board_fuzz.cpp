// Fuzz target: whatever a crossword file, a progress file and CROSS.CONF hold, the solver
// either refuses them with an error or plays on the board without reading out of bounds.
// Input: [1 byte: length of the settings text][settings][the progress length byte][progress]
// [the crossword file]; the crossword's own bytes then drive the moves and keys.
#include <cstdint>
#include <string_view>

#include "common/crossword_reader.h"
#include "common/errors.h"
#include "solver/core/board.h"
#include "solver/core/settings.h"

using namespace gw;
using namespace gw::cross;

namespace {

std::string_view take(std::string_view& in) {
  if (in.empty()) return {};
  std::size_t n = static_cast<std::uint8_t>(in[0]);
  in.remove_prefix(1);
  n = std::min(n, in.size());
  std::string_view part = in.substr(0, n);
  in.remove_prefix(n);
  return part;
}

void play(Board& b, std::string_view script) {
  for (char c : script) {
    auto op = static_cast<std::uint8_t>(c);
    switch (op % 8) {
      case 0: b.move(1, 0); break;
      case 1: b.move(0, 1); break;
      case 2: b.move(-1, 0); break;
      case 3: b.move(0, -1); break;
      case 4: b.setDirection(op & 8 ? Direction::Down : Direction::Across); break;
      case 5: b.cheatOne(); break;
      case 6: {
        auto cell = b.cellAtPixel(op * 3 - 100, op * 2 - 50);
        if (cell && !b.isUnderPicture(cell->column, cell->row)) b.selectCell(*cell);
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
  std::string_view settings = take(in);
  std::string_view progress = take(in);
  (void)parseSettings(settings, "/Data");
  try {
    Board b = Board::fromCrossword(parseCrossword(in, CrosswordReadMode::Solver));
    try {
      b.applyProgress(progress);
    } catch (const FormatError&) {
    }
    play(b, in.substr(0, 512));
  } catch (const FormatError&) {
    // refused with a message: what the player sees
  }
  return 0;
}
