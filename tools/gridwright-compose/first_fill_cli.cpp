#include "first_fill_cli.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <thread>

#include "authoring/composing/search/composer.h"
#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/search/fill_scores.h"
#include "authoring/composing/search/first_fill_result.h"
#include "authoring/composing/search/first_fill_search.h"
#include "authoring/composing/layout/layout_lock.h"
#include "authoring/composing/layout/layout_text.h"
#include "common/file_io.h"

namespace gw {
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// How long a first fill waits for another that is writing its result.
constexpr std::chrono::milliseconds kLockPatience{5000};

// Words tried between looks at the clock and the stop flag.
constexpr std::uint64_t kStepsPerTurn = 256;

int defaultLanes() {
  unsigned cores = std::thread::hardware_concurrency();
  return static_cast<int>(std::clamp(cores, 1u, 4u));
}

std::string seconds(Clock::time_point since) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", std::chrono::duration<double>(Clock::now() - since).count());
  return text;
}

}  // namespace

int runFirstFill(const ComposeOptions& options, const ComposingFiles& files, std::ostream& out,
                 std::ostream& err, const volatile std::sig_atomic_t* stopFlag) {
  const Clock::time_point started = Clock::now();
  const fs::path pattern = options.patternFile;
  const Layout layout = readPatternFile(pattern);
  // A search of the layout holds its lock for hours: said now rather than after this search.
  { const LayoutLock probe(pattern, kLockPatience); }
  const fs::path& results = files.resultsFolder;

  if (options.progress) err << "Loading " << languageName(layout.language) << " dictionary ...\n";
  Dictionary dictionary;
  dictionary.load(files.wordFile(layout.language), layout.language, options.minScore);

  const std::vector<Slot> slots = deriveSlots(layout);
  if (const auto obstacle = firstFillObstacle(layout, slots, dictionary)) {
    err << (*obstacle == ComposeOutcome::NoWords ? kNoWordsMessage : kNoSolutionMessage) << '\n';
    std::error_code ec;
    if (*obstacle == ComposeOutcome::NoSolution && dictionary.totalWordCount() == 0 &&
        !fs::exists(files.wordFile(layout.language), ec))
      err << "The word list \"" << files.wordFile(layout.language).string() << "\" is missing.\n";
    return 1;
  }

  FirstFillOptions fillOptions;
  fillOptions.seed = options.seed ? *options.seed : newFirstFillSeed();
  fillOptions.lanes = options.lanes > 0 ? options.lanes : defaultLanes();
  fillOptions.noRepeat = options.noRepeat;
  fillOptions.learnFromRestarts = options.learn;
  FirstFillSearch search(dictionary, layout.board, slots, fillOptions);

  std::string stopReason;
  Clock::time_point lastShown = started;
  FirstFillStatus status = FirstFillStatus::Searching;
  while (status == FirstFillStatus::Searching) {
    status = search.run(kStepsPerTurn);
    if (status != FirstFillStatus::Searching) break;
    const Clock::time_point now = Clock::now();
    if (stopFlag && *stopFlag)
      stopReason = "interrupted";
    else if (options.timeLimit > 0 &&
             std::chrono::duration<double>(now - started).count() >= options.timeLimit)
      stopReason = "time limit reached";
    if (!stopReason.empty()) {
      search.stop();
      status = search.run(0);
      break;
    }
    if (options.progress && now - lastShown >= std::chrono::seconds(options.terminal ? 1 : 5)) {
      lastShown = now;
      err << (options.terminal ? "\r" : "") << "Searching: " << search.steps() << " words tried, "
          << seconds(started) << " s" << (options.terminal ? "" : "\n") << std::flush;
    }
  }
  if (options.progress && options.terminal && lastShown != started)
    err << '\r' << std::string(60, ' ') << '\r';

  const std::string reproduce =
      "--first-fill --seed " + std::to_string(fillOptions.seed) + " --lanes " +
      std::to_string(fillOptions.lanes) + (options.learn ? " --learn" : "") +
      (options.noRepeat ? " --no-repeat" : "") +
      (options.minScore != kDefaultMinWordScore ? " --min-score " + std::to_string(options.minScore) : "");
  switch (status) {
    case FirstFillStatus::Filled: {
      // Held only while writing: other first fills of the layout wait a moment for it.
      const LayoutLock lock(pattern, kLockPatience);
      const WrittenFill written = writeFillAsNextResult(layout, slots, search.words(), results, pattern);
      out << written.file.string() << '\n'
          << "Result " << written.number << ":\n"
          << layoutToText(written.filled);
      out << "Seed " << fillOptions.seed << " (" << reproduce << " gives this fill again)\n";
      err << "Filled after " << seconds(started) << " s (" << search.steps() << " words tried).\n";
      if (dictionary.hasScores())
        out << describeFillScores(fillScores(dictionary, slots, search.words()), layout.language) << '\n';
      return 0;
    }
    case FirstFillStatus::NoFill:
      err << "No fill exists for this layout with this word list"
          << (options.noRepeat ? " without repeated words" : "") << "; nothing written.\n";
      return kNoFillStatus;
    default:
      err << "Stopped (" << (stopReason.empty() ? "stop" : stopReason) << ") after " << seconds(started)
          << " s without a fill; nothing written. (" << reproduce << ")\n";
      return 0;
  }
}

}  // namespace gw
