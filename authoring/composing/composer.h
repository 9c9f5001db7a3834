#pragma once
// The composer: fills every slot of a layout with dictionary words by a depth-first search
// with look-ahead, writes every complete fill as a result crossword file, and can be
// stopped and resumed (through the state file) without losing or repeating a result.
//
// It runs on the caller's thread. At fixed points it calls the listener's pump, where a
// front end processes its events (and may call stop()); the search notices the stop
// request at the end of its current step, so the state it saves is always exact.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "authoring/composing/board.h"
#include "authoring/composing/composing_files.h"

namespace gw {

class Dictionary;
class SearchLookAhead;

inline constexpr char kNoWordsMessage[] = "No words";
inline constexpr char kNoSolutionMessage[] = "No solution possible!";

// Where the search hands control to the caller.
enum class PumpPoint { Iteration, Rebuild, Push, BackUp, BestFill };

enum class MessageKind { Information, Error };

struct ComposerCounters {
  int depth = 0;    // "T: "
  int deepest = 0;  // "M: "
  int results = 0;  // "R:"
  friend bool operator==(const ComposerCounters&, const ComposerCounters&) = default;
};

// Implemented by the front ends; every hook has a harmless default.
class ComposerListener {
 public:
  virtual ~ComposerListener() = default;
  // A turn for the caller's event loop; the caller may call Composer::stop() here.
  virtual void pump(PumpPoint) {}
  // After every push, back-up and result, and when composing starts and ends.
  virtual void countersChanged(const ComposerCounters&) {}
  // 1 when composing starts, 2 for every result file, 3 when a search is exhausted.
  virtual void playSound(int) {}
  virtual void resultWritten(const std::filesystem::path&, int /*number*/) {}
  virtual void showMessage(const std::string&, MessageKind) {}
  // The word order dialog: given the computed order, return for each position the
  // (1-based) position in that order of the slot to put there, or nothing to keep it.
  virtual std::optional<std::vector<int>> chooseWordOrder(int /*maxColumn*/, int /*maxRow*/,
                                                          const std::vector<Slot>&) {
    return std::nullopt;
  }
  // "Continue?" when an opened layout has a stopped search.
  virtual bool confirmContinue() { return false; }
  // A file name for a layout that has none yet; nothing cancels the start.
  virtual std::optional<std::filesystem::path> choosePatternFileName() { return std::nullopt; }
  // The running, search-started or paused flag changed.
  virtual void stateChanged() {}
  // Around loading a language's word list (the busy window); the second also after a failure.
  virtual void dictionaryLoading(Language) {}
  virtual void dictionaryLoaded(Language) {}
};

enum class OpenResult { Opened, Continued, StateRejected };

class Composer {
 public:
  Composer(Dictionary& dictionary, ComposerListener& listener);
  ~Composer();

  // --- the layout
  // A new empty layout without a file name; sizes are limited to 1 .. 41.
  void newLayout(int rows, int columns, Language language);
  // Reads the pattern file and the language's word list; throws FileError or FormatError
  // and changes nothing when either fails. With a state file beside it, asks "Continue?";
  // on Yes reads it and resumes the search before returning.
  OpenResult openLayout(const std::filesystem::path& patternFile);
  // Takes a layout already in memory, with the dictionary the caller has loaded for it.
  void useLayout(const Layout& layout, const std::filesystem::path& patternFile);
  // Saves the layout to its file, asking for a name when it has none. False when cancelled.
  bool saveLayout();
  void closeLayout();

  Layout& layout() { return layout_; }
  const Layout& layout() const { return layout_; }
  // Cells may be edited only while no search exists for the layout.
  bool canEdit() const { return layoutOpen_ && !running_ && !searchStarted_; }
  const std::filesystem::path& patternFile() const { return patternFile_; }
  void setPatternFile(const std::filesystem::path& path) { patternFile_ = path; }
  std::filesystem::path stateFile() const { return stateFileFor(patternFile_); }

  // --- files used
  // Another word file in place of the language's own.
  void setWordFile(const std::filesystem::path& path) { wordFile_ = path; }
  std::filesystem::path wordFileFor(Language language) const;
  void loadLayoutDictionary();
  void setResultsFolder(const std::filesystem::path& folder) { resultsFolder_ = folder; }
  std::filesystem::path resultsFolder() const;

  // --- composing
  // No word of two or more letters twice in one fill. It only prunes: the fills written are
  // those without a repeated word, in the same order. Not kept in the state file.
  void setNoRepeat(bool noRepeat) { noRepeat_ = noRepeat; }
  bool noRepeat() const { return noRepeat_; }
  // A fresh search from the editable state; otherwise resumes the stopped search.
  void start();
  // Asks a running search to stop at the end of its current step; it then saves the state file.
  void stop();

  bool running() const { return running_; }
  bool searchStarted() const { return searchStarted_; }
  bool paused() const { return paused_; }
  bool layoutOpen() const { return layoutOpen_; }
  bool stopRequested() const { return stopRequest_; }

  int depth() const { return depth_; }
  int deepestDepth() const { return deepest_; }
  int resultCount() const { return results_; }
  ComposerCounters counters() const { return {depth_, deepest_, results_}; }
  // Candidates tried since the object was made (for benchmarks and progress).
  std::uint64_t steps() const { return steps_; }
  const std::vector<Slot>& slots() const { return slots_; }
  const std::vector<std::string>& bestPartialFill() const { return best_; }
  const ComposingBoard& baseBoard() const { return base_; }
  // The search as the state file holds it.
  SearchState searchState() const;

 private:
  Slot& at(int position) { return slots_[static_cast<std::size_t>(position - 1)]; }
  int slotCount() const { return static_cast<int>(slots_.size()); }
  void enterEditable();
  void loadDictionary(Language language);
  bool prepareFreshSearch();
  void applyWordOrder();
  void rebuild();
  void push();
  void completeFillCheck();
  bool hasRepeatedWord() const;
  void backUp();
  void drawBestFill();
  bool mainLoop();  // true when the search is exhausted
  void finish();
  void notifyCounters();

  Dictionary& dict_;
  ComposerListener& listener_;
  Layout layout_;
  ComposingBoard base_;
  std::filesystem::path patternFile_;
  std::optional<std::filesystem::path> wordFile_;
  std::optional<std::filesystem::path> resultsFolder_;

  std::vector<Slot> slots_;
  std::unique_ptr<SearchLookAhead> lookAhead_;
  std::vector<std::string> best_;
  int depth_ = 0;
  int deepest_ = 0;
  int results_ = 0;
  std::uint64_t steps_ = 0;

  bool layoutOpen_ = false;
  bool running_ = false;
  bool searchStarted_ = false;
  bool paused_ = false;
  bool stopRequest_ = false;
  bool noRepeat_ = false;
};

}  // namespace gw
