#include "solver/sound_output.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace gw::cross {

namespace {

// Lengths of the clips in milliseconds: the longest a synchronous play waits.
constexpr std::array<int, 5> kClipMs{50, 120, 1100, 4700, 60};
constexpr int kPollMs = 10;

class EffectClip : public SoundClip {
 public:
  explicit EffectClip(int number) { effect_.setSource(QUrl(QString("qrc:/sounds/%1.wav").arg(number))); }
  void play() override { effect_.play(); }
  void stop() override { effect_.stop(); }
  bool isPlaying() const override { return effect_.isPlaying(); }
  bool failed() const override { return effect_.status() == QSoundEffect::Error; }

 private:
  QSoundEffect effect_;
};

}  // namespace

EffectSoundOutput::EffectSoundOutput(QObject* parent)
    : EffectSoundOutput([](gw::cross::Sound s) { return std::make_unique<EffectClip>(static_cast<int>(s)); },
                        parent) {}

EffectSoundOutput::EffectSoundOutput(ClipFactory makeClip, QObject* parent)
    : QObject(parent), makeClip_(std::move(makeClip)) {
  // Loaded at once, so that the first letter typed is heard without delay.
  for (int n = 1; n <= 5; ++n) clip(static_cast<gw::cross::Sound>(n));
}

EffectSoundOutput::~EffectSoundOutput() = default;

SoundClip* EffectSoundOutput::clip(gw::cross::Sound sound) {
  int i = static_cast<int>(sound) - 1;
  if (i < 0 || i >= static_cast<int>(clips_.size())) return nullptr;
  if (!clips_[i]) clips_[i] = makeClip_(sound);
  return clips_[i].get();
}

void EffectSoundOutput::play(gw::cross::Sound sound, bool wait, bool unlessPlaying) {
  if (unlessPlaying) {
    for (const auto& c : clips_)
      if (c && c.get() != waitedFor_ && c->isPlaying()) return;
  }
  SoundClip* c = clip(sound);
  if (!c || c->failed()) return;
  if (c == waitedFor_) waitedFor_ = nullptr;
  c->play();
  if (wait) {
    waitForEnd(c, kClipMs[static_cast<int>(sound) - 1] + 150);
    waitedFor_ = c;
  }
}

// Waits for the clip's end (or its length, whichever comes first), handling only what keeps
// the window drawn; input waits until the clip is over. The clip is over for the program
// then: a backend that still reports it playing must not silence the clips that follow.
void EffectSoundOutput::waitForEnd(SoundClip* c, int limitMs) {
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    bool started = clock.elapsed() > 20;
    if ((started && !c->isPlaying()) || c->failed() || clock.elapsed() >= limitMs) loop.quit();
  });
  poll.start(kPollMs);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  c->stop();
}

}  // namespace gw::cross
