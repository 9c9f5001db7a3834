#pragma once
// Runs the composer on the window thread: a zero-interval timer advances the search in
// short slices, so the event loop stays responsive and is never entered from inside the
// search. The display is told at most about twenty times a second (frameDue()), and at
// once when the state changes.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

#include "authoring/composing/search/composer.h"
#include "authoring/composing/search/layout_session.h"
#include "authoring/gui/composing/progress_preview.h"

namespace gw::gui {

class ComposeSoundOutput;

class ComposeController : public QObject, private LayoutListener, private ComposerListener {
  Q_OBJECT
 public:
  // How long one slice of the search may run, and the shortest time between two frames.
  static constexpr std::chrono::milliseconds kSlice{20};
  static constexpr int kFrameIntervalMs = 50;

  ComposeController(Dictionary& dictionary, ComposingFiles files, QObject* parent = nullptr);
  ~ComposeController() override;

  LayoutSession& session() { return session_; }
  const LayoutSession& session() const { return session_; }
  Composer& composer() { return composer_; }
  ComposingState state() const { return session_.state(); }
  // What the grid shows: the author's layout, or the composer's board while a search exists.
  const Layout& shownLayout() const { return composer_.shownLayout(); }
  PreviewState previewState() const;

  // Replaces the sound output (tests, benchmarks); the controller does not own it.
  void setSoundOutput(ComposeSoundOutput* sounds) { sounds_ = sounds; }
  // Plays a composing sound (Quick fill's result sounds as a search's does).
  void playSound(ComposerSound sound);

  // Start compose (the word order answered by the author) or resume a stopped search.
  void start(const std::vector<int>& wordOrder = {});
  // "Continue?" answered Yes after opening. Throws FormatError or FileError.
  void resume();
  // Stop compose: the state file is written before this returns.
  void stop();

 Q_SIGNALS:
  void composingStateChanged(gw::ComposingState state);
  // Counters, preview or board changed since the last frame.
  void frameDue();
  // The search ended or could not begin; `message` is empty or a text for the author.
  void searchFinished(gw::ComposeOutcome outcome, const QString& message);
  void dictionaryLoadStarted(gw::Language language);
  void dictionaryLoadFinished(gw::Language language);

 private:
  // LayoutListener
  void dictionaryLoading(Language language) override { Q_EMIT dictionaryLoadStarted(language); }
  void dictionaryLoaded(Language language) override { Q_EMIT dictionaryLoadFinished(language); }
  void stateChanged(ComposingState state) override;
  // ComposerListener: notes only; the display reads the composer when a frame is due.
  void countersChanged(const ComposerCounters&) override { dirty_ = true; }
  void bestFillChanged() override { dirty_ = true; }
  void resultWritten(const std::filesystem::path&, int) override { dirty_ = true; }
  void soundWanted(ComposerSound sound) override { playSound(sound); }
  void finished(ComposeOutcome outcome, const std::string& message) override;

  void runSlice();
  void startRunning();
  void emitFrame();

  LayoutSession session_;
  Composer composer_;
  std::unique_ptr<ComposeSoundOutput> ownSounds_;
  ComposeSoundOutput* sounds_ = nullptr;
  QTimer stepTimer_;
  QElapsedTimer sinceFrame_;
  bool dirty_ = false;
};

}  // namespace gw::gui
