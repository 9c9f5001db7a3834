#include "authoring/composing/dictionary/word_lists/word_import.h"

#include <vector>

#include "authoring/composing/dictionary/word_lists/word_list.h"
#include "authoring/composing/dictionary/word_scores.h"

namespace gw {

ImportLoopResult readImportWords(ImportLineSource& source, std::int64_t lineCount, const WordRules& rules,
                                 const ImportCallbacks& callbacks) {
  ImportLoopResult result;
  ImportLine line;
  for (;;) {
    if (callbacks.cancelled && callbacks.cancelled()) {
      result.cancelled = true;
      break;
    }
    if (callbacks.progress) callbacks.progress(result.linesRead, lineCount);
    if (!source.next(line)) break;
    ++result.linesRead;
    auto skip = [&](SkippedLine reason) {
      if (callbacks.lineSkipped) callbacks.lineSkipped(reason, result.linesRead, line.text);
    };
    // "WORD;SCORE": the score comes off before the word rules drop what is no letter.
    const ScoredText scored = splitScore(line.text);
    if (scored.badScore) {
      skip(SkippedLine::BadScore);
      continue;
    }
    std::string_view text = line.text;
    std::string_view latin = line.latin;
    if (scored.score) {
      const std::size_t cut = line.text.size() - scored.text.size();
      text = scored.text;
      if (!latin.empty() && latin.size() >= cut) latin.remove_suffix(cut);
    }
    std::string word = latin.empty() ? rules.wordFromLine(text) : rules.wordFromLine(text, latin);
    if (word.empty()) {
      skip(text.size() > WordRules::kMaxWordLength ? SkippedLine::TooLong : SkippedLine::NoLetters);
    } else if (word.size() > WordRules::kMaxWordLength) {
      skip(SkippedLine::TooLong);  // a transliteration (Þ to TH) made it longer than the line
    } else if (scored.score && callbacks.scoredWordFound) {
      callbacks.scoredWordFound(std::move(word), *scored.score);
    } else if (callbacks.wordFound) {
      callbacks.wordFound(std::move(word));
    }
  }
  return result;
}

std::size_t importFileInto(WordList& list, const std::filesystem::path& file, ImportReport* report) {
  ImportFileScan scan = scanImportFile(file);
  ImportFileReader reader(file, scan.encoding, list.language());
  WordRules rules(list.language());
  std::vector<WordEntry> found;
  ImportCallbacks callbacks;
  callbacks.wordFound = [&](std::string word) { found.push_back(list.entryFor(word)); };
  callbacks.scoredWordFound = [&](std::string word, int score) {
    found.push_back(list.entryFor(word));
    found.back().score = score;
  };
  if (report)
    callbacks.lineSkipped = [&](SkippedLine reason, std::int64_t number, std::string_view line) {
      report->skipped(reason, number, line);
    };
  readImportWords(reader, scan.lineCount, rules, callbacks);
  const std::size_t words = found.size();
  const std::size_t added = list.merge(std::move(found)).size();
  if (report) report->notAdded(static_cast<std::int64_t>(words - added));
  return added;
}

}  // namespace gw
