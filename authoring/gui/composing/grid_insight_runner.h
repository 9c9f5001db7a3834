#pragma once
// Runs the candidate ranking and the unfillable marks of the composing page on a thread pool
// of its own, so that the page never waits for them. A newer request of a kind replaces the
// older one: its stop flag is set and its result, should it still arrive, is dropped. Results
// come back on the window thread. Candidates come twice: an estimate within milliseconds,
// then the ranking with every word propagated.
//
// The workers read a copy of the word list (WordListSnapshot) made on the window thread, so
// the dictionary may be reloaded while they run; dictionaryChanged() drops the copy.
#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <memory>

#include "authoring/composing/search/slot_candidates.h"
#include "authoring/composing/search/unfillable_marks.h"

namespace gw::gui {

class GridInsightRunner : public QObject {
  Q_OBJECT
 public:
  explicit GridInsightRunner(const Dictionary& dictionary, QObject* parent = nullptr);
  ~GridInsightRunner() override;

  void requestCandidates(const Layout& layout, CellPos cell, Direction direction, bool noRepeat);
  void requestMarks(const Layout& layout);
  // Stops both kinds, or the candidates only; nothing more is reported of a stopped kind
  // until its next request.
  void cancel();
  void cancelCandidates() { renew(candidates_); }
  void dictionaryChanged() { words_.reset(); }
  // Waits until nothing runs (tests).
  void waitForIdle() { pool_.waitForDone(); }

 Q_SIGNALS:
  void candidatesReady(const gw::SlotCandidates& candidates);
  void marksReady(const gw::UnfillableMarks& marks);

 private:
  struct Channel {
    std::shared_ptr<std::atomic<bool>> stop;
    quint64 generation = 0;
  };
  std::shared_ptr<const WordListSnapshot> wordsFor(const Layout& layout);
  // Stops what the channel runs and opens a new request on it.
  std::shared_ptr<std::atomic<bool>> renew(Channel& channel);
  template <typename Result, typename Work, typename Done>
  void launch(Channel& channel, Work work, Done done);
  void runCandidates(std::shared_ptr<const WordListSnapshot> words, Layout layout, CellPos cell,
                     Direction direction, bool noRepeat, CandidateDepth depth);

  const Dictionary& dictionary_;
  std::shared_ptr<const WordListSnapshot> words_;
  QThreadPool pool_;
  Channel candidates_;
  Channel marks_;
};

}  // namespace gw::gui
