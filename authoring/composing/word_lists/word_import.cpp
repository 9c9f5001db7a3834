#include "authoring/composing/word_lists/word_import.h"

#include <vector>

#include "authoring/composing/word_lists/word_list.h"

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
    std::string word =
        line.latin.empty() ? rules.wordFromLine(line.text) : rules.wordFromLine(line.text, line.latin);
    if (!word.empty() && callbacks.wordFound) callbacks.wordFound(std::move(word));
  }
  return result;
}

std::size_t importFileInto(WordList& list, const std::filesystem::path& file) {
  ImportFileScan scan = scanImportFile(file);
  ImportFileReader reader(file, scan.encoding, list.language());
  WordRules rules(list.language());
  std::vector<WordEntry> found;
  ImportCallbacks callbacks;
  callbacks.wordFound = [&](std::string word) { found.push_back(list.entryFor(word)); };
  readImportWords(reader, scan.lineCount, rules, callbacks);
  return list.merge(std::move(found)).size();
}

}  // namespace gw
