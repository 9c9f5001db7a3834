#pragma once
// Layouts as plain UTF-8 text, for the command line and the example layouts: one line per
// row, '#' an isle, '.' an empty cell, any other character a fixed letter of the language.
#include <string>
#include <string_view>

#include "authoring/composing/layout/board.h"
#include "common/letters.h"

namespace gw {

// Throws FormatError naming the line and column of the first thing that is wrong.
Layout parseTextLayout(std::string_view utf8, Language language);

// The layout's part of the board as text; letters in UTF-8.
std::string layoutToText(const Layout& layout);

}  // namespace gw
