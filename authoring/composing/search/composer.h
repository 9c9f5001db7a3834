#pragma once
// The composer: fills every slot of the session's layout with dictionary words by a
// depth-first search with look-ahead, writes every complete fill as a result
// crossword file, and can be stopped and resumed (through the state file) without losing
// or repeating a result.
//
// The search is a stepping call on the caller's thread: run(budget) does a bounded number
// of steps (or milliseconds) and returns; stopping between two calls loses nothing. The
// listener only reports; whatever must be asked of the author is asked before the call
// that needs it. How a window drives it:
//
//   Start compose:  if (!session.hasFileName()) session.saveAs(askFileName());   // cancelled: end
//                   std::vector<Slot> order = composer.proposedOrder();
//                   std::vector<int> answer;                  // empty: keep the computed order
//                   if (!order.empty()) answer = wordOrderDialog(order);
//                   composer.start(answer);                   // throws FileError (saving the layout)
//                   then, while state() == Running, call composer.run(RunBudget::forTime(20ms)) from a
//                   zero-interval QTimer; repaint from the listener's notes at your own pace
//                   (shownLayout(), counters(), slots()).
//   Ctrl+C, Quit:   composer.stop() between two run() calls; nothing is lost.
//   "Continue?" Yes after opening:  composer.resume();       // throws FormatError / FileError
//   Stop compose:   composer.stop();                          // Stopped at once, state file written
//   Start when Stopped:  composer.start();                    // resumes the stopped search
//
// The search ends by finished(): Exhausted (every result written; the layout is Editable
// again, the state file is deleted), Stopped (the state file holds the search; start()
// resumes it), NoWords or NoSolution (nothing was searched; the layout stays Editable).
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/board.h"
#include "authoring/composing/layout/composing_files.h"
#include "authoring/composing/search/layout_session.h"
#include "authoring/composing/search/search_part.h"

namespace gw {

class SearchLookAhead;

inline constexpr char kNoWordsMessage[] = "No words";
inline constexpr char kNoSolutionMessage[] = "No solution possible!";

struct ComposerCounters {
  int depth = 0;    // "T: "
  int deepest = 0;  // "M: "
  int results = 0;  // "R:"
  friend bool operator==(const ComposerCounters&, const ComposerCounters&) = default;
};

// The sounds of composing (played asynchronously; a sound still playing is not interrupted).
enum class ComposerSound { Started, ResultWritten, Exhausted };

enum class ComposeOutcome {
  Exhausted,   // every candidate of the first slot tried
  Stopped,     // by stop(), or because a result file could not be written
  NoWords,     // the layout has no slot: an information message "No words"
  NoSolution,  // a slot can take no word: an error message "No solution possible!"
};

// Implemented by the front ends; every hook has a harmless default. Nothing here asks.
class ComposerListener {
 public:
  virtual ~ComposerListener() = default;
  // After every push, back-up and result, when a search starts and when it ends.
  virtual void countersChanged(const ComposerCounters&) {}
  // A result crossword file was written; `number` is the number in its name.
  virtual void resultWritten(const std::filesystem::path& /*file*/, int /*number*/) {}
  // The best partial fill was replaced (Composer::bestPartialFill()).
  virtual void bestFillChanged() {}
  virtual void soundWanted(ComposerSound) {}
  // The search ended (or could not begin). `message` is empty or a text for the author:
  // with NoWords an information, otherwise an error (e.g. a result or state file that
  // could not be written, with Stopped; a state file that could not be deleted, with
  // Exhausted).
  virtual void finished(ComposeOutcome, const std::string& /*message*/) {}
};

// How much one run() call may do; zero means no limit of that kind. A budget of no limits
// runs until the search ends or stop() is called from a listener hook.
struct RunBudget {
  std::uint64_t steps = 0;
  std::chrono::milliseconds time{0};

  static RunBudget forSteps(std::uint64_t n) { return {n, std::chrono::milliseconds(0)}; }
  static RunBudget forTime(std::chrono::milliseconds t) { return {0, t}; }
  static RunBudget unlimited() { return {}; }
};

class Composer {
 public:
  // The composer searches the session's layout and dictionary and moves its state.
  Composer(LayoutSession& session, ComposerListener& listener);
  ~Composer();
  Composer(const Composer&) = delete;
  Composer& operator=(const Composer&) = delete;

  ComposingState state() const { return session_.state(); }

  // --- starting

  // No word of two or more letters twice in one fill: set before start() or resume(). It
  // only prunes, so the fills written are those without a repeated word, in the same order.
  // The state file does not record it.
  void setNoRepeat(bool noRepeat) { noRepeat_ = noRepeat; }
  bool noRepeat() const { return noRepeat_; }
  // Search only one part of the fills (search_part.h): set before start() or resume(), with
  // the session's search tag (LayoutSession::setSearchTag) set to the part's tag.
  void setPart(SearchPart part) { part_ = part; }

  // The filling order a fresh search would use (for the word order dialog), or nothing
  // when start() would end with NoWords or NoSolution. Empty also unless Editable.
  std::vector<Slot> proposedOrder();
  // Editable: saves the layout to its file (it must have a name; throws FileError and
  // changes nothing when saving fails), orders the slots and begins a fresh search:
  // Running, or finished() with NoWords / NoSolution. `wordOrder` is the author's answer
  // to the word order dialog: for each position the 1-based position in proposedOrder()
  // of the slot to put there; empty or not a permutation keeps the computed order.
  // Stopped: resumes the stopped search (wordOrder is ignored). Otherwise does nothing.
  void start(const std::vector<int>& wordOrder = {});
  // Editable with a saved search (the caller asked "Continue?"): reads the state file and
  // resumes it; throws FormatError or FileError and stays Editable when the file is
  // damaged or unreadable. Stopped: the same as start(). Otherwise does nothing.
  void resume();

  // --- running

  // Advances a Running search by at most `budget` and returns the state afterwards:
  // Running while the search has more to do. Every step is one candidate tried or one
  // back-up; the clock is read every few steps. Does nothing unless Running.
  ComposingState run(RunBudget budget);
  // Stops a Running search: called between run() calls, it stops at once (draws the best
  // partial fill, writes the state file, reports finished(Stopped)); called from a listener
  // hook inside run(), the search stops at the end of its current step.
  void stop();

  // --- what the window shows

  // While a search exists, the layout filled with the search's words (the best partial fill
  // when Stopped); otherwise the session's layout.
  const Layout& shownLayout() const;
  ComposerCounters counters() const { return {depth_, deepest_, results_}; }
  int depth() const { return depth_; }
  int deepestDepth() const { return deepest_; }
  int resultCount() const { return results_; }
  // Result i of the search is numbered numberBase() + i: a fresh search numbers after the
  // results of its layout already in the results folder, and never replaces a file.
  int numberBase() const { return numberBase_; }
  // The slots in filling order (the progress preview: a column per slot, black up to the depth).
  const std::vector<Slot>& slots() const { return slots_; }
  const std::vector<std::string>& bestPartialFill() const { return best_; }
  // The author's board the search fills (the layout as the search began).
  const ComposingBoard& baseBoard() const { return base_; }
  // Candidates tried since the object was made (for benchmarks and progress).
  std::uint64_t steps() const { return steps_; }
  // The search as the state file holds it.
  SearchState searchState() const;

 private:
  friend class LayoutSession;
  void discardSearch();  // the session's layout was replaced or closed
  Slot& at(int position) { return slots_[static_cast<std::size_t>(position - 1)]; }
  int slotCount() const { return static_cast<int>(slots_.size()); }
  // Derives and orders the slots of a fresh search; the failure when there is none to make.
  std::optional<ComposeOutcome> orderFreshSlots(std::vector<Slot>& slots);
  void beginFresh(const std::vector<int>& wordOrder);
  void beginResumed(bool baseFromLayout);
  void rebuild();
  // Where the part's candidates of position 1 begin and end, from the look-ahead at the base.
  CandidateRange findPartRange(SearchLookAhead& atBase);
  void push();
  // Pushes position 1 and puts it before the part's first candidate.
  void beginFirstPosition();
  void completeFillCheck();
  // Results reach the disk all together when the search stops or ends, not one flush each:
  // before that, a power cut may only take results that the search, resumed from its last
  // state file, writes again. The error, or empty.
  std::string syncResults();
  bool hasRepeatedWord() const;
  void backUp();
  bool step();  // one iteration; true when the search is exhausted
  void drawBestFill();
  void finishExhausted();
  void finishStopped();
  void notifyCounters() { listener_.countersChanged(counters()); }

  LayoutSession& session_;
  ComposerListener& listener_;
  Layout working_;  // the session's layout with the search's words
  ComposingBoard base_;

  std::vector<Slot> slots_;
  std::unique_ptr<SearchLookAhead> lookAhead_;
  std::vector<std::string> best_;
  std::vector<Dictionary::WordId> found_;  // reused by every push
  int depth_ = 0;
  int deepest_ = 0;
  int results_ = 0;
  int numberBase_ = 0;
  std::uint64_t steps_ = 0;
  std::string stopMessage_;  // why the search stops, reported by finished()
  bool inRun_ = false;
  bool stopRequest_ = false;
  bool noRepeat_ = false;
  bool unsyncedResults_ = false;
  SearchPart part_;
  int partEnd_ = 0;  // the first candidate of position 1 beyond the part
};

}  // namespace gw
