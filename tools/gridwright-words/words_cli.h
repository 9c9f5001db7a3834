#pragma once
// The command line of gridwright-words, kept apart from main() so that it can be tested.
// It edits a word file with the dictionary editor's own rules and code.
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "common/language.h"
#include "common/program_folder.h"

namespace gw {

struct WordsOptions {
  enum class Command { Import, Recheck, Score, Export, Help };
  Command command = Command::Help;
  Language language = Language::English;
  std::string wordFile;                  // --words; empty: the language's file of the program folder
  std::vector<std::string> importFiles;  // import only
  std::string word;                      // score: the word (UTF-8)
  int score = 0;                         // score: its new score
  std::string exportFile;                // export: where to write; empty: standard output
};

// Throws std::invalid_argument with a message for the user.
WordsOptions parseWordsOptions(const std::vector<std::string>& args);

extern const char kWordsUsage[];

// Exit statuses: 0 done, 1 a file could not be read or written (the word file is unchanged).
int runWords(const WordsOptions& options, const ProgramFolders& folders, std::ostream& out,
             std::ostream& err);

}  // namespace gw
