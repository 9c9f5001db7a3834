#pragma once
// How good a fill's words are: their mean score and the lowest-scoring ones, as Quick fill
// and gridwright-compose --first-fill report them.
#include <string>
#include <utility>
#include <vector>

#include "authoring/composing/layout/board.h"
#include "authoring/composing/dictionary/dictionary.h"

namespace gw {

struct FillScores {
  int words = 0;  // of two or more letters
  double mean = 0;
  int under40 = 0;  // words scored under 40
  // The lowest-scoring words, lowest first (each word once).
  std::vector<std::pair<std::string, int>> lowest;
};

// `words` holds each slot's word, as FirstFillSearch::words() gives them.
FillScores fillScores(const Dictionary& dictionary, const std::vector<Slot>& slots,
                      const std::vector<std::string>& words, std::size_t lowestShown = 5);

// "Mean word score 63.4; lowest: PWNS 10, DDS 20", in UTF-8.
std::string describeFillScores(const FillScores& scores, Language language);

}  // namespace gw
