#pragma once
// The five clips. Playing never fails visibly: without an audio device a clip is
// simply not heard.
#include <QObject>
#include <array>
#include <functional>
#include <memory>

#include "solver/core/board.h"

namespace gw::cross {

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // `wait`: return only when the clip has ended (the synchronous play of the completion).
  // `unlessPlaying`: do not start while another clip is still playing.
  virtual void play(Sound sound, bool wait, bool unlessPlaying) = 0;
};

// One clip as the output drives it; QSoundEffect in the program, a stand-in in the tests.
class SoundClip {
 public:
  virtual ~SoundClip() = default;
  virtual void play() = 0;
  virtual void stop() = 0;
  virtual bool isPlaying() const = 0;
  virtual bool failed() const = 0;  // the clip cannot be played at all
};

// Plays the clips compiled into the program (":/sounds/N.wav"), or the clips a factory makes.
class EffectSoundOutput : public QObject, public SoundOutput {
  Q_OBJECT
 public:
  using ClipFactory = std::function<std::unique_ptr<SoundClip>(Sound)>;
  explicit EffectSoundOutput(QObject* parent = nullptr);
  EffectSoundOutput(ClipFactory makeClip, QObject* parent = nullptr);
  ~EffectSoundOutput() override;
  void play(Sound sound, bool wait, bool unlessPlaying) override;

 private:
  SoundClip* clip(Sound sound);
  void waitForEnd(SoundClip* c, int limitMs);

  ClipFactory makeClip_;
  std::array<std::unique_ptr<SoundClip>, 5> clips_;
  SoundClip* waitedFor_ = nullptr;  // ended by the wait, whatever the backend still reports
};

}  // namespace gw::cross
