#pragma once
// The sounds of composing: a short clip when a search starts, one per result file and one
// when a search is exhausted. A request while a clip still plays is dropped; without an
// audio device nothing is heard, and nothing waits or fails.
#include <QObject>
#include <array>

#include "authoring/composing/search/composer.h"

class QSoundEffect;

namespace gw::gui {

class ComposeSoundOutput {
 public:
  virtual ~ComposeSoundOutput() = default;
  virtual void play(ComposerSound sound) = 0;
};

// Plays the clips compiled into the program with QSoundEffect.
class EffectComposeSounds : public QObject, public ComposeSoundOutput {
  Q_OBJECT
 public:
  explicit EffectComposeSounds(QObject* parent = nullptr);
  void play(ComposerSound sound) override;

 private:
  std::array<QSoundEffect*, 3> effects_{};
};

}  // namespace gw::gui
