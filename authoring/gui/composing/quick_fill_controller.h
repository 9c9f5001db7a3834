#pragma once
// "Quick fill": one fill of the open layout found by the first-fill search and written as
// the layout's next result file, numbered and named as the exhaustive search names its
// results. With two or more lanes the lanes search on threads of their own and a timer
// looks at them through the search's stepping call, asked for no steps; with one lane a
// zero-interval timer calls it for about a slice at a time on the window thread. Either
// way the window stays responsive and the event loop is never re-entered. The layout lock
// is held from the start until the search ends, as for the exhaustive search.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "authoring/composing/layout/board.h"
#include "authoring/composing/search/composer.h"
#include "authoring/composing/search/first_fill_search.h"
#include "authoring/gui/composing/selection_fill.h"

namespace gw {
class LayoutLock;
class LayoutSession;
}  // namespace gw

namespace gw::gui {

enum class QuickFillOutcome {
  Filled,   // a fill was found and written
  NoFill,   // no fill exists; nothing written
  Stopped,  // stopped by the author; nothing written
  Failed,   // the fill could not be written; `message` says why
};

struct QuickFillReport {
  QuickFillOutcome outcome = QuickFillOutcome::Stopped;
  std::uint64_t seed = 0;
  std::uint64_t steps = 0;  // words tried, summed over the lanes
  bool noRepeat = false;
  std::filesystem::path file;  // Filled: the result file written
  int number = 0;              // Filled: its number
  Layout filled;               // Filled: the layout with the fill
  bool selection = false;      // a fill of a selection (startSelection())
  bool written = false;        // Filled: written as a result file (a selection's fill only when complete)
  QString message;             // Failed: why
  QString scores;              // Filled from a scored word list: "Mean word score 71.3; lowest: ..."
};

// Why a layout cannot be quick-filled (before any search): the outcome and the message that
// Start compose gives for it ("No words", "No solution possible!").
struct QuickFillRefusal {
  ComposeOutcome outcome;
  QString message;
};

class QuickFillController : public QObject {
  Q_OBJECT
 public:
  // How often lanes on threads are looked at, how long one lane searches on the window thread
  // at a time, and the shortest time between two progress notes.
  static constexpr std::chrono::milliseconds kLookInterval{10};
  static constexpr std::chrono::milliseconds kSlice{20};
  static constexpr int kProgressIntervalMs = 50;

  explicit QuickFillController(QObject* parent = nullptr);
  ~QuickFillController() override;

  bool isRunning() const { return search_ != nullptr; }
  std::uint64_t seed() const { return options_.seed; }
  std::uint64_t steps() const;

  // Begins a quick fill of the session's layout (which has a file name and is Editable):
  // takes the layout lock, saves the layout to its file (as Start compose does), and starts
  // the search. Returns the refusal when the layout has no slot or a slot no word fits (the
  // lock is released again); throws FileError when the lock is held by another search or
  // saving fails. `options.seed` is used as given.
  std::optional<QuickFillRefusal> start(LayoutSession& session, const FirstFillOptions& options);
  // The same for a selection over the grid as it stands (selection_fill.h): the report's
  // `filled` is the grid with the selected words filled, written as a result file only when
  // it leaves no cell empty.
  std::optional<QuickFillRefusal> startSelection(LayoutSession& session, const FirstFillOptions& options,
                                                 SelectionFill selection);
  // Ends the search without writing anything; finished(Stopped) is sent before this returns.
  void stop();

  // A seed for a new run: a different one each time, small enough to type on the command line.
  static std::uint64_t newSeed();

 Q_SIGNALS:
  // While searching, at most about twenty times a second.
  void progressed(std::uint64_t steps);
  // The search ended; the lock is released and nothing runs any more.
  void finished(const gw::gui::QuickFillReport& report);

 private:
  std::optional<QuickFillRefusal> begin(LayoutSession& session, const FirstFillOptions& options,
                                        std::optional<SelectionFill> selection);
  void runSlice();
  void finish(FirstFillStatus status);

  std::unique_ptr<LayoutLock> lock_;
  std::unique_ptr<FirstFillSearch> search_;
  const Dictionary* dictionary_ = nullptr;  // the search's
  FirstFillOptions options_;
  Layout layout_;
  std::optional<SelectionFill> selection_;
  std::vector<Slot> slots_;
  std::filesystem::path patternFile_;
  std::filesystem::path resultsFolder_;
  std::uint64_t stepsPerSlice_ = 256;
  std::uint64_t shownSteps_ = 0;
  QTimer stepTimer_;
  QElapsedTimer sinceProgress_;
};

}  // namespace gw::gui
