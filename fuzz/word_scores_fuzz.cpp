// Score files of any content: either every line is taken (and the scores survive a write and
// a reload unchanged, and the table a dictionary loads with gives every word the same score)
// or the reader refuses the file with a FileError; it never crashes.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "authoring/composing/dictionary/score_table.h"
#include "authoring/composing/dictionary/word_scores.h"
#include "authoring/composing/dictionary/word_scores.h"
#include "common/errors.h"

namespace {

std::filesystem::path scratch(const char* name) {
  return std::filesystem::temp_directory_path() /
         ("gw_word_scores_fuzz_" + std::to_string(::getpid()) + "_" + name + ".scores");
}

void write(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto language = static_cast<gw::Language>(data[0] % 3);
  write(scratch("in"), std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  gw::WordScores scores;
  try {
    scores = gw::WordScores::load(scratch("in"), language);
  } catch (const gw::FileError&) {
    return 0;
  }
  const gw::ScoreTable table = gw::ScoreTable::load(scratch("in"), language);
  gw::ScoreTable::Cursor cursor(table);
  for (const auto& [word, score] : scores.entries()) {
    if (score > gw::kMaxWordScore || score == gw::kDefaultWordScore || word.empty()) std::abort();
    if (word.size() <= 255 && (table.score(word) != score || cursor.score(word) != score)) std::abort();
  }
  write(scratch("out"), scores.fileBytes(language));
  const gw::WordScores again = gw::WordScores::load(scratch("out"), language);
  if (again.entries() != scores.entries()) std::abort();
  return 0;
}
