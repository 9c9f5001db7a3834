#include "authoring/gui/composing/quick_fill_controller.h"

#include <algorithm>

#include "authoring/composing/search/fill_scores.h"
#include "authoring/composing/search/first_fill_result.h"
#include "authoring/composing/layout/layout_lock.h"
#include "authoring/composing/search/layout_session.h"
#include "authoring/gui/composing/selection_fill.h"
#include "common/crossword_file.h"

namespace gw::gui {

namespace {

// Steps asked of one call: at least a lane's chunk, at most what a fast machine does in a slice.
constexpr std::uint64_t kFewestSteps = 64;
constexpr std::uint64_t kMostSteps = std::uint64_t{1} << 20;

}  // namespace

QuickFillController::QuickFillController(QObject* parent) : QObject(parent) {
  connect(&stepTimer_, &QTimer::timeout, this, &QuickFillController::runSlice);
}

QuickFillController::~QuickFillController() {
  // The lanes end before the search goes (its destructor joins them); nobody is told.
  if (search_) search_->stop();
}

std::uint64_t QuickFillController::steps() const { return search_ ? search_->steps() : 0; }

std::uint64_t QuickFillController::newSeed() { return newFirstFillSeed(); }

std::optional<QuickFillRefusal> QuickFillController::start(LayoutSession& session,
                                                           const FirstFillOptions& options) {
  return begin(session, options, std::nullopt);
}

std::optional<QuickFillRefusal> QuickFillController::startSelection(LayoutSession& session,
                                                                    const FirstFillOptions& options,
                                                                    SelectionFill selection) {
  return begin(session, options, std::move(selection));
}

std::optional<QuickFillRefusal> QuickFillController::begin(LayoutSession& session,
                                                           const FirstFillOptions& options,
                                                           std::optional<SelectionFill> selection) {
  if (search_ || !session.canEdit() || !session.hasFileName()) return std::nullopt;
  // Before the save, as Start compose: another search may be using the file.
  auto lock = std::make_unique<LayoutLock>(session.patternFile());
  session.save();

  const Layout& layout = selection ? selection->base : session.layout();
  std::vector<Slot> slots = selection ? selection->slots : deriveSlots(layout);
  const Dictionary& dictionary = session.dictionary();
  if (const auto obstacle = firstFillObstacle(layout, slots, dictionary)) {
    if (*obstacle == ComposeOutcome::NoWords) return QuickFillRefusal{*obstacle, kNoWordsMessage};
    QString message = kNoSolutionMessage;
    std::error_code ec;
    if (dictionary.totalWordCount() == 0 && !std::filesystem::exists(session.wordFile(), ec))
      message +=
          "\nThe word list \"" + QString::fromStdString(session.wordFile().string()) + "\" is missing.";
    return QuickFillRefusal{*obstacle, message};
  }

  options_ = options;
  layout_ = layout;
  selection_ = std::move(selection);
  patternFile_ = session.patternFile();
  resultsFolder_ = session.resultsFolder();
  search_ = std::make_unique<FirstFillSearch>(dictionary, layout_.board, slots, options_);
  dictionary_ = &dictionary;
  slots_ = std::move(slots);
  lock_ = std::move(lock);
  stepsPerSlice_ = 256;
  shownSteps_ = 0;
  sinceProgress_.start();
  // Lanes on threads of their own set off at once and are looked at now and then; one lane
  // searches on this thread.
  if (options_.lanes > 1) search_->run(0);
  stepTimer_.start(options_.lanes > 1 ? static_cast<int>(kLookInterval.count()) : 0);
  return std::nullopt;
}

void QuickFillController::stop() {
  if (!search_) return;
  search_->stop();
  finish(FirstFillStatus::Stopped);
}

void QuickFillController::runSlice() {
  if (!search_) return stepTimer_.stop();
  FirstFillStatus status = FirstFillStatus::Searching;
  if (options_.lanes > 1) {
    // Asked for no more words, the stepping call only looks at the lanes: the window never
    // waits for them (waiting for a few hundred words took up to 80 ms on a busy machine).
    status = search_->run(0);
  } else {
    QElapsedTimer took;
    took.start();
    status = search_->run(stepsPerSlice_);
    // About one slice per call: fewer steps when they are slow, more when they are fast.
    const auto elapsed = std::chrono::milliseconds(took.elapsed());
    if (elapsed < kSlice / 2)
      stepsPerSlice_ = std::min(stepsPerSlice_ * 2, kMostSteps);
    else if (elapsed > kSlice * 2)
      stepsPerSlice_ = std::max(stepsPerSlice_ / 2, kFewestSteps);
  }
  if (status != FirstFillStatus::Searching) return finish(status);
  const std::uint64_t steps = search_->steps();
  if (steps != shownSteps_ && sinceProgress_.elapsed() >= kProgressIntervalMs) {
    shownSteps_ = steps;
    sinceProgress_.restart();
    Q_EMIT progressed(steps);
  }
}

void QuickFillController::finish(FirstFillStatus status) {
  stepTimer_.stop();
  QuickFillReport report;
  report.seed = options_.seed;
  report.steps = search_->steps();
  report.noRepeat = options_.noRepeat;
  report.selection = selection_.has_value();
  switch (status) {
    case FirstFillStatus::Filled:
      report.outcome = QuickFillOutcome::Filled;
      if (selection_) {
        // A grid that still has empty cells is no crossword yet: it goes into the grid only.
        Layout filled = selectedWordsFilled(*selection_, filledLayout(layout_, slots_, search_->words()));
        if (!isComplete(filled)) {
          report.filled = std::move(filled);
          break;
        }
      }
      try {
        // As gridwright-compose --first-fill writes it: the next number, never over an earlier result.
        const std::vector<std::string> words = search_->words();
        WrittenFill written = writeFillAsNextResult(layout_, slots_, words, resultsFolder_, patternFile_);
        if (dictionary_->hasScores())
          report.scores = QString::fromStdString(
              describeFillScores(fillScores(*dictionary_, slots_, words, 3), layout_.language));
        report.filled = std::move(written.filled);
        report.number = written.number;
        report.file = std::move(written.file);
        report.written = true;
      } catch (const std::exception& e) {
        report.outcome = QuickFillOutcome::Failed;
        report.message = QString::fromStdString(e.what());
      }
      break;
    case FirstFillStatus::NoFill: report.outcome = QuickFillOutcome::NoFill; break;
    default: report.outcome = QuickFillOutcome::Stopped; break;
  }
  search_.reset();  // joins the lanes
  lock_.reset();
  slots_.clear();
  Q_EMIT finished(report);
}

}  // namespace gw::gui
