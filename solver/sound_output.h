#pragma once
// The five clips. Playing never fails visibly: without an audio device a clip is
// simply not heard.
#include <QObject>
#include <array>
#include <memory>

#include "solver/core/board.h"

class QSoundEffect;

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // `wait`: return only when the clip has ended (the synchronous play of the completion).
  // `unlessPlaying`: do not start while another clip is still playing.
  virtual void play(gw::cross::Sound sound, bool wait, bool unlessPlaying) = 0;
};

// Plays the clips compiled into the program (":/sounds/N.wav") with QSoundEffect.
class EffectSoundOutput : public QObject, public SoundOutput {
  Q_OBJECT
 public:
  explicit EffectSoundOutput(QObject* parent = nullptr);
  void play(gw::cross::Sound sound, bool wait, bool unlessPlaying) override;

 private:
  QSoundEffect* effect(gw::cross::Sound sound);
  std::array<QSoundEffect*, 5> effects_{};
};
