#pragma once
// What a key typed into the layout grid puts on the board, and where the cursor goes
// next. Qt-free: the window hands in the character the key gives on a US keyboard.
#include <optional>

#include "common/cell_pos.h"
#include "common/language.h"

namespace gw::gui {

// The board letter that the key at the position of `usCharacter` gives on a layout of
// `language`: A to Z for English and German (no umlauts), the 30 Serbian Cyrillic
// capitals for Serbian. Nothing for digits, punctuation and control keys.
std::optional<char> typedBoardLetter(char usCharacter, Language language);

// After a letter: the next column of the row; from the last column the next row of the
// same column; from the bottom-right cell the top-left one.
CellPos cursorAfterLetter(CellPos at, int rows, int columns);

}  // namespace gw::gui
