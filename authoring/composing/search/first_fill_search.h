#pragma once
// The first-fill search: one fill of a layout, found fast, beside the exhaustive search
// (which enumerates every fill in a fixed order). Over the same look-ahead it chooses the
// slot with the fewest words for how often it has failed (dom/wdeg; a slot whose word just
// failed comes first again until it takes one), tries first the word that leaves the
// crossing slots the most words, and restarts on a Luby schedule, keeping what it learnt
// about failures, until a fill is found or none can exist. What it learnt goes stale: after a
// window of failures it forgets the weights, starts its schedule again under a new seed;
// the windows grow on a Luby schedule too, so the search stays complete. After some windows
// without a fill it also keeps what its restarts proved, as nogoods (RestartNogoods). With a scored word list
// it first searches among the words scored kPreferredWordScore or more, and takes the others too once that
// search shows no fill of them exists or has restarted kPreferredRestarts times.
//
// A run is a pure function of the layout, the dictionary, the options and the seed: all
// budgets count failures, never time, and the random numbers come from a seeded mt19937_64
// read without library distributions. With several lanes (threads) each lane searches with
// a seed of its own (lane 0 with the one-lane search's); the fill is that of the lane that
// found one in the fewest words tried (the lowest lane on a tie), so it depends on the seed
// and the lane count, not on timing, and more lanes never need more words than one.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "authoring/composing/layout/board.h"
#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/search/fill_propagator.h"
#include "authoring/composing/search/luby_cutoff.h"
#include "authoring/composing/search/restart_nogoods.h"

namespace gw {

struct FirstFillOptions {
  std::uint64_t seed = 1;
  int lanes = 1;
  bool noRepeat = false;  // no word of two or more letters twice in the fill
  // Failures in a restart, and in a window between forgettings, of Luby weight 1; 0 for the
  // search's own (tests make them small to reach restarts and forgetting on small layouts).
  std::uint64_t restartFailures = 0;
  std::uint64_t forgetFailures = 0;
  // Every lane keeps what its restarts proved (RestartNogoods) from the start, not only once
  // it has long found nothing. Measured, that finds fills of some dense layouts much sooner
  // and of others much later, so it is asked for.
  bool learnFromRestarts = false;
};

enum class FirstFillStatus {
  Searching,  // the budget ran out first; call run() again
  Filled,
  NoFill,   // no fill exists
  Stopped,  // stop() was called
};

// One lane: a restarting search on the calling thread.
class FirstFillLane {
 public:
  using WordId = FillPropagator::WordId;

  // Lane `lane` of `options.lanes`.
  FirstFillLane(const WordBitSets& bits, const ComposingBoard& base, const std::vector<Slot>& slots,
                const FirstFillOptions& options, int lane);

  // Tries at most `steps` more words; Searching when the steps ran out first.
  FirstFillStatus run(std::uint64_t steps);
  FirstFillStatus status() const { return status_; }
  // The number of the restart under way (or of the one that filled), from 0.
  std::uint64_t restart() const { return restart_; }
  std::uint64_t steps() const { return steps_; }
  std::uint64_t failures() const { return failures_; }
  // Per slot, the id of its word (when filled).
  std::vector<WordId> fill() const;
  const FillPropagator& propagator() const { return propagator_; }

 private:
  using Decision = RestartNogoods::Literal;
  // Searches among the preferred words (above a level of its own) when the list has others.
  void preferGoodWords();
  void dropPreference();
  void beginRestart();
  // Drops the failure weights and the restart schedule and takes a new seed.
  void forget();
  bool settled() const;  // every slot down to one word: a fill
  SlotId chooseSlot();
  WordId chooseWord(SlotId slot);
  void noteFailure();
  // Takes what the nogoods rule out after the last decision; false when that fails it.
  bool applyNogoods();
  // Takes `word` from `slot` at the current level, undoing decisions while that empties a
  // slot. False when it empties one with no decision left: no fill exists.
  bool refute(SlotId slot, WordId word);
  std::uint64_t random() { return rng_(); }

  FillPropagator propagator_;
  std::uint64_t seed_;
  SearchIdMap<SlotId, std::uint64_t> weight_;  // 1 + the failures it took part in
  std::vector<Decision> decisions_;            // one per level above floor_
  int floor_ = 0;        // the level restarts go back to: 1 while only the preferred words are searched
  SlotId lastConflict_;  // a slot whose word just failed: chosen again first
  std::mt19937_64 rng_;
  std::uint64_t restart_;
  std::uint64_t restartUnit_;
  LubyCutoff cutoff_;  // failures allowed in this restart
  std::uint64_t forgetUnit_;
  std::uint64_t forgetIndex_ = 1;  // of the window under way, in the Luby sequence
  std::uint64_t forgotAt_ = 0;     // failures_ when the window began
  std::uint64_t failuresThisRestart_ = 0;
  std::uint64_t failures_ = 0;
  std::uint64_t steps_ = 0;
  FirstFillStatus status_ = FirstFillStatus::Searching;
  // Per (slot, position): the log counts of the crossing slot's words per letter, and the
  // version of the crossing slot's words they were counted for.
  std::vector<std::size_t> crossingOffset_;  // per slot, of its first position
  std::vector<std::uint64_t> crossingVersion_;
  std::vector<std::int32_t> crossingLogs_;
  std::array<std::uint32_t, 256> letterCount_{};  // scratch: the crossing words per letter
  std::vector<int> scoredPositions_;              // scratch: the positions whose crossing is open
  bool learns_;
  RestartNogoods nogoods_;
  std::vector<RestartNogoods::Refutation> refuted_;  // on the current branch, by depth
  std::vector<SlotId> narrowed_;                     // scratch
};

// The search over one or more lanes.
class FirstFillSearch {
 public:
  FirstFillSearch(const Dictionary& dictionary, const ComposingBoard& base, const std::vector<Slot>& slots,
                  FirstFillOptions options);
  ~FirstFillSearch();
  FirstFillSearch(const FirstFillSearch&) = delete;
  FirstFillSearch& operator=(const FirstFillSearch&) = delete;

  // Searches for about `steps` more words (summed over the lanes) and returns; may be
  // called again while it returns Searching.
  FirstFillStatus run(std::uint64_t steps);
  // Ends the search; safe from another thread. run() then returns Stopped.
  void stop();

  FirstFillStatus status() const;
  // Per slot, its word (when filled).
  std::vector<std::string> words() const;
  // The lane and restart whose fill it is (when filled).
  std::uint64_t winningLane() const;
  std::uint64_t restart() const;
  std::uint64_t steps() const;
  const FirstFillOptions& options() const { return options_; }

 private:
  void runLane(int lane);
  FirstFillStatus settled() const;  // with mutex_ held

  FirstFillOptions options_;
  std::unique_ptr<WordBitSets> bits_;
  std::vector<std::unique_ptr<FirstFillLane>> lanes_;
  std::vector<std::thread> threads_;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::atomic<bool> stop_{false};
  std::atomic<std::uint64_t> steps_{0};
  int lanesRunning_ = 0;
  int winner_ = -1;  // the lane whose fill is the answer so far
  bool noFill_ = false;
};

}  // namespace gw
