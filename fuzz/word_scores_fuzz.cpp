// Score files of any content: either every line is taken (and the scores survive a write and
// a reload unchanged, and the table a dictionary loads with gives every word the same score)
// or the reader refuses the file with a FileError; it never crashes.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "authoring/composing/dictionary/score_table.h"
#include "authoring/composing/dictionary/word_scores.h"
#include "common/errors.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = gw::fuzz::languageFileInput(data, size, "word_scores_fuzz_in.scores");
  if (!input) return 0;
  const gw::Language language = input->language;
  gw::WordScores scores;
  try {
    scores = gw::WordScores::load(input->file, language);
  } catch (const gw::FileError&) {
    return 0;
  }
  const gw::ScoreTable table = gw::ScoreTable::load(input->file, language);
  gw::ScoreTable::Cursor cursor(table);
  for (const auto& [word, score] : scores.entries()) {
    if (score > gw::kMaxWordScore || score == gw::kDefaultWordScore || word.empty()) std::abort();
    if (word.size() <= 255 && (table.score(word) != score || cursor.score(word) != score)) std::abort();
  }
  const std::filesystem::path out = gw::fuzz::scratchFile("word_scores_fuzz_out.scores");
  gw::fuzz::writeScratchFile(out, scores.fileBytes(language));
  const gw::WordScores again = gw::WordScores::load(out, language);
  if (again.entries() != scores.entries()) std::abort();
  return 0;
}
