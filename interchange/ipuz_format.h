#pragma once
// ipuz (http://ipuz.org/v2, kind crossword): the JSON crossword format of many web and desktop
// players. Letters and clues are UTF-8; dotted edges are "dotted" side styles; a picture is a
// rectangle of block cells whose style carries the JPEG as a data: URL in "imagebg", each cell
// with the "slice" of the picture it shows. The language and clue charset travel in the
// extension fields "org.gridwright:language" and "org.gridwright:cluecharset".
#include <string_view>

#include "interchange/interchange_common.h"

namespace gw {

inline constexpr std::string_view kIpuzLanguageKey = "org.gridwright:language";
inline constexpr std::string_view kIpuzCharsetKey = "org.gridwright:cluecharset";
// What ipuz has no place for, so that our own import gives back the same crossword file: the
// edge marks in their order ({"top": [[row, column], ...], "left": [...]}, from 0) and the words
// that have a definition, in their order ([["Across" or "Down", row, column, length], ...]), and
// the pictures' rectangles ([[row, column, width, height], ...]), which tell apart neighbouring
// pictures of the same JPEG, whose cells carry the same URL.
inline constexpr std::string_view kIpuzEdgeMarksKey = "org.gridwright:edgemarks";
inline constexpr std::string_view kIpuzDefinitionsKey = "org.gridwright:definitions";
inline constexpr std::string_view kIpuzPicturesKey = "org.gridwright:pictures";

// The ipuz file of a crossword. Throws InterchangeError for a picture that is not a readable JPEG,
// and for a file that would be larger than an import takes (kMaxInterchangeFileBytes).
// `credits` become the "title" and "author" fields.
ExportedCrossword writeIpuz(const CrosswordFile& crossword, const CrosswordCredits& credits = {});

// Reads an ipuz crossword. What a crossword file cannot hold (rebus cells, circles, barred edges,
// colours, ...) is refused with an InterchangeError naming it; never dropped.
ImportedCrossword readIpuz(std::string_view bytes);

}  // namespace gw
