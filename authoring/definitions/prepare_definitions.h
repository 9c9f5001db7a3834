#pragma once
// Preparing definitions: one definition for every run of letters of the board.
#include <string>
#include <string_view>
#include <vector>

#include "authoring/definitions/definition_table.h"

namespace gw {

// The runs of a board of `rows` rows of `columns` bytes (row by row; ' ' is blank), in the
// walk order: across runs from the last row up, then down runs from the last column left.
// A run is a maximal sequence of non-blank cells in one row (across) or one column (down),
// given as its definition with no clue yet; single letters count as runs.
std::vector<Definition> findBoardRuns(std::string_view board, int rows, int columns);

// Writes the current letters into every definition whose run still exists. Returns false
// at the first run that has no definition. `wordsWritten` is set when a word was written.
bool refreshDefinitionWords(DefinitionTable& table, const std::vector<Definition>& runs, bool& wordsWritten);

// Makes the table hold exactly one definition per run: a run whose start and direction had a
// definition keeps its clue text and gets its current word, a new run gets an empty clue,
// and definitions whose run is gone are dropped. Returns true when an existing definition's
// word was written (which marks the crossword modified). A board of no cells (nothing open)
// leaves the table alone.
bool prepareDefinitions(DefinitionTable& table, std::string_view board, int rows, int columns);

}  // namespace gw
