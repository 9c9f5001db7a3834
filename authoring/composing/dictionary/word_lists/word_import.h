#pragma once
// Importing words from text files into a word list: the one loop that the dictionary
// editor runs on its worker thread and gridwright-words runs on the command line.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "authoring/composing/dictionary/word_lists/import_file.h"
#include "authoring/composing/dictionary/word_lists/import_report.h"
#include "authoring/composing/dictionary/word_lists/word_rules.h"

namespace gw {

class WordList;

// Why an import line gave no word.
enum class SkippedLine { TooLong, NoLetters, BadScore };

struct ImportCallbacks {
  // Told before every line: lines done so far, out of the line count.
  std::function<void(std::int64_t done, std::int64_t total)> progress;
  // Asked before every line; true ends the import there.
  std::function<bool()> cancelled;
  // Every word a line gives, in file order; repeats and words already listed included.
  std::function<void(std::string word)> wordFound;
  // A "WORD;SCORE" line's word with its score; without this one, wordFound gets it.
  std::function<void(std::string word, int score)> scoredWordFound;
  // A line that gave no word: why, its number (from 1) and its text (code-page bytes).
  std::function<void(SkippedLine reason, std::int64_t lineNumber, std::string_view line)> lineSkipped;
};

struct ImportLoopResult {
  std::int64_t linesRead = 0;
  bool cancelled = false;
};

// Reads `source` to its end (or until cancelled) and turns each line into a word by
// `rules`. A read error (FileError) goes on to the caller; the words found before it have
// been handed over already.
ImportLoopResult readImportWords(ImportLineSource& source, std::int64_t lineCount, const WordRules& rules,
                                 const ImportCallbacks& callbacks);

// Imports a whole file into `list` (the command line's import): the file is read to its
// end first, then its new words are merged ("WORD;SCORE" lines set the score of a listed
// word too). Returns the number of words added. Throws FileError and leaves the list as it was.
std::size_t importFileInto(WordList& list, const std::filesystem::path& file, ImportReport* report = nullptr);

}  // namespace gw
