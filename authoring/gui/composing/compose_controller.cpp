#include "authoring/gui/composing/compose_controller.h"

#include "authoring/gui/composing/compose_sounds.h"

namespace gw::gui {

ComposeController::ComposeController(Dictionary& dictionary, ComposingFiles files, QObject* parent)
    : QObject(parent), session_(dictionary, std::move(files), this), composer_(session_, *this) {
  stepTimer_.setInterval(0);
  connect(&stepTimer_, &QTimer::timeout, this, &ComposeController::runSlice);
  sinceFrame_.start();
}

ComposeController::~ComposeController() = default;

PreviewState ComposeController::previewState() const {
  PreviewState preview;
  const std::vector<Slot>& slots = composer_.slots();
  preview.slotCount = static_cast<int>(slots.size());
  const int depth = std::min(composer_.depth(), preview.slotCount);
  preview.placed.reserve(static_cast<std::size_t>(std::max(depth, 0)));
  for (int p = 1; p <= depth; ++p)
    preview.placed.push_back(slots[static_cast<std::size_t>(p - 1)].candidateCount() > 0);
  return preview;
}

void ComposeController::start(const std::vector<int>& wordOrder) {
  composer_.start(wordOrder);
  startRunning();
}

void ComposeController::resume() {
  composer_.resume();
  startRunning();
}

void ComposeController::stop() {
  if (state() != ComposingState::Running) return;
  stepTimer_.stop();
  composer_.stop();
  emitFrame();
}

void ComposeController::startRunning() {
  emitFrame();
  if (state() == ComposingState::Running) stepTimer_.start();
}

void ComposeController::runSlice() {
  try {
    if (composer_.run(RunBudget::forTime(kSlice)) != ComposingState::Running) stepTimer_.stop();
  } catch (const std::exception& e) {
    // Nothing may leave the search running unseen: stop it (the state file is written) and say why.
    stepTimer_.stop();
    composer_.stop();
    emitFrame();
    Q_EMIT searchFinished(ComposeOutcome::Stopped, QString::fromStdString(e.what()));
    return;
  }
  if (dirty_ && sinceFrame_.elapsed() >= kFrameIntervalMs) emitFrame();
}

void ComposeController::emitFrame() {
  dirty_ = false;
  sinceFrame_.restart();
  Q_EMIT frameDue();
}

void ComposeController::stateChanged(ComposingState state) {
  if (state != ComposingState::Running) stepTimer_.stop();
  Q_EMIT composingStateChanged(state);
}

void ComposeController::playSound(ComposerSound sound) {
  // The clips are loaded when first wanted, so a page that never composes opens no audio device.
  if (!sounds_) {
    ownSounds_ = std::make_unique<EffectComposeSounds>();
    sounds_ = ownSounds_.get();
  }
  sounds_->play(sound);
}

void ComposeController::finished(ComposeOutcome outcome, const std::string& message) {
  stepTimer_.stop();
  // The last counters and the best partial fill are shown before any message.
  emitFrame();
  Q_EMIT searchFinished(outcome, QString::fromStdString(message));
}

}  // namespace gw::gui
