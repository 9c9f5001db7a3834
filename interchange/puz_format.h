#pragma once
// .puz (Across Lite, version 1.3, little-endian): a 52-byte header with its checksums, the
// solution and player grids, then NUL-terminated ISO-8859-1 strings (title, author, copyright,
// the clues by number with Across before Down, notes) and optional extra sections. Numbering
// is implicit, so only words of two or more letters can carry a clue.
#include <cstdint>
#include <string_view>

#include "interchange/interchange_common.h"

namespace gw {

// The checksum that every .puz checksum is built from: rotate right, then add each byte.
std::uint16_t puzChecksum(std::string_view bytes, std::uint16_t start = 0);

// The .puz file of a crossword. Throws InterchangeError when the crossword cannot be one: letters
// or clues outside ISO-8859-1 (Serbian; the message names ipuz as the way), a clued one-letter word.
// Dotted edges and pictures, which .puz cannot carry, are left out and named in the notes.
// `credits` become the title and author strings; text outside ISO-8859-1 there is refused too.
ExportedCrossword writePuz(const CrosswordFile& crossword, const CrosswordCredits& credits = {});

// Reads a .puz file. A wrong checksum is "damaged .puz file"; scrambled solutions, rebus cells,
// circles and diagramless puzzles are refused with an InterchangeError naming them.
ImportedCrossword readPuz(std::string_view bytes);

}  // namespace gw
