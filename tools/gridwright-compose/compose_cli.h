#pragma once
// The command line of gridwright-compose, kept apart from main() so that it can be tested.
#include <csignal>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "authoring/composing/search/search_part.h"

namespace gw {

struct ComposeOptions {
  std::string patternFile;  // the layout to compose (or to save with --save)
  std::string textLayout;   // --layout
  std::string language;     // --language en|de|sr
  std::string saveAs;       // --save
  std::string resultsFolder;
  std::string wordFile;
  long maxResults = 0;                   // 0: no limit
  double timeLimit = 0;                  // seconds; 0: no limit
  bool resume = false;                   // --continue
  bool compose = true;                   // cleared by --no-compose
  bool progress = true;                  // cleared by --quiet
  bool terminal = false;                 // standard error is a terminal: the progress line redraws in place
  bool noRepeat = false;                 // --no-repeat
  bool firstFill = false;                // --first-fill
  std::optional<std::uint64_t> seed;     // --seed (first fill); a new one each run without it
  int lanes = 0;                         // --lanes (first fill); 0: one per core, at most 4
  bool learn = false;                    // --learn (first fill): keep what restarts proved
  int minScore = 1;                      // --min-score: words scored under it are left out
  SearchPart part;                       // --part K/N (exhaustive search)
  std::vector<std::string> moreLayouts;  // layouts after the first (first fill of each)
  int jobs = 1;                          // --jobs: layouts filled at once
  std::string summaryFile;               // --summary: one JSON line per layout
  bool help = false;
};

// Throws std::invalid_argument with a message for the user.
ComposeOptions parseComposeOptions(const std::vector<std::string>& args);

extern const char kComposeUsage[];

// The exit status of a search that proved that no fill exists (as the usage text says).
inline constexpr int kNoFillStatus = 3;

// Runs the program; returns the exit status. `stopFlag` (Ctrl+C) is polled between slices of the search.
int runCompose(const ComposeOptions& options, std::ostream& out, std::ostream& err,
               const volatile std::sig_atomic_t* stopFlag);

}  // namespace gw
