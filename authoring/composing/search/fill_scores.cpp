#include "authoring/composing/search/fill_scores.h"

#include <algorithm>
#include <cstdio>

#include "common/codepage.h"

namespace gw {

FillScores fillScores(const Dictionary& dictionary, const std::vector<Slot>& slots,
                      const std::vector<std::string>& words, std::size_t lowestShown) {
  FillScores out;
  std::vector<std::pair<std::string, int>> scored;
  long total = 0;
  for (std::size_t s = 0; s < slots.size() && s < words.size(); ++s) {
    const std::string& word = words[s];
    if (slots[s].length < 2 || word.size() < 2) continue;
    const std::vector<Dictionary::WordId> ids = dictionary.findWords(word);
    const int score =
        ids.empty() ? kDefaultWordScore : dictionary.score(static_cast<int>(word.size()), ids.front());
    ++out.words;
    total += score;
    if (score < 40) ++out.under40;
    scored.emplace_back(word, score);
  }
  if (out.words > 0) out.mean = static_cast<double>(total) / out.words;
  std::stable_sort(scored.begin(), scored.end(),
                   [](const auto& a, const auto& b) { return a.second < b.second; });
  for (const auto& entry : scored) {
    if (out.lowest.size() >= lowestShown) break;
    if (std::none_of(out.lowest.begin(), out.lowest.end(),
                     [&](const auto& l) { return l.first == entry.first; }))
      out.lowest.push_back(entry);
  }
  return out;
}

std::string describeFillScores(const FillScores& scores, Language language) {
  char mean[32];
  std::snprintf(mean, sizeof mean, "%.1f", scores.mean);
  std::string text = std::string("Mean word score ") + mean;
  for (std::size_t i = 0; i < scores.lowest.size(); ++i)
    text += (i ? ", " : "; lowest: ") + toUtf8(scores.lowest[i].first, boardCodePage(language)) + " " +
            std::to_string(scores.lowest[i].second);
  return text;
}

}  // namespace gw
