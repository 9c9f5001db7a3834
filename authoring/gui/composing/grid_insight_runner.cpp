#include "authoring/gui/composing/grid_insight_runner.h"

#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace gw::gui {

GridInsightRunner::GridInsightRunner(const Dictionary& dictionary, QObject* parent)
    : QObject(parent), dictionary_(dictionary) {
  // One worker per kind: the marks need not wait behind a long candidate ranking.
  pool_.setMaxThreadCount(2);
}

GridInsightRunner::~GridInsightRunner() {
  cancel();
  pool_.waitForDone();
}

void GridInsightRunner::cancel() {
  renew(candidates_);
  renew(marks_);
}

std::shared_ptr<std::atomic<bool>> GridInsightRunner::renew(Channel& channel) {
  if (channel.stop) channel.stop->store(true);
  channel.stop = std::make_shared<std::atomic<bool>>(false);
  ++channel.generation;
  return channel.stop;
}

std::shared_ptr<const WordListSnapshot> GridInsightRunner::wordsFor(const Layout& layout) {
  const int longest = std::max(layout.rows, layout.columns);
  if (!words_ || words_->longest() < longest)
    words_ = std::make_shared<const WordListSnapshot>(dictionary_, std::max(longest, 15));
  return words_;
}

template <typename Result, typename Work, typename Done>
void GridInsightRunner::launch(Channel& channel, Work work, Done done) {
  const quint64 generation = channel.generation;
  auto* watcher = new QFutureWatcher<std::optional<Result>>(this);
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation, &channel, done] {
    watcher->deleteLater();
    if (generation != channel.generation) return;  // a newer request replaced it
    const std::optional<Result> result = watcher->result();
    if (result) done(*result);
  });
  watcher->setFuture(QtConcurrent::run(&pool_, std::move(work)));
}

void GridInsightRunner::requestCandidates(const Layout& layout, CellPos cell, Direction direction,
                                          bool noRepeat) {
  renew(candidates_);
  runCandidates(wordsFor(layout), layout, cell, direction, noRepeat, CandidateDepth::Estimate);
}

void GridInsightRunner::runCandidates(std::shared_ptr<const WordListSnapshot> words, Layout layout,
                                      CellPos cell, Direction direction, bool noRepeat,
                                      CandidateDepth depth) {
  std::shared_ptr<std::atomic<bool>> stop = candidates_.stop;
  auto work = [words, layout, cell, direction, noRepeat, depth, stop] {
    return rankSlotCandidates(*words, layout, cell, direction, noRepeat, depth, *stop);
  };
  launch<SlotCandidates>(
      candidates_, std::move(work),
      [this, words, layout, cell, direction, noRepeat](const SlotCandidates& ranked) {
        Q_EMIT candidatesReady(ranked);
        if (ranked.depth == CandidateDepth::Estimate && ranked.layoutFillable && !ranked.words.empty())
          runCandidates(words, layout, cell, direction, noRepeat, CandidateDepth::Propagated);
      });
}

void GridInsightRunner::requestMarks(const Layout& layout) {
  std::shared_ptr<std::atomic<bool>> stop = renew(marks_);
  std::shared_ptr<const WordListSnapshot> words = wordsFor(layout);
  auto work = [words, layout, stop] { return findUnfillable(*words, layout, *stop); };
  launch<UnfillableMarks>(marks_, std::move(work),
                          [this](const UnfillableMarks& marks) { Q_EMIT marksReady(marks); });
}

}  // namespace gw::gui
