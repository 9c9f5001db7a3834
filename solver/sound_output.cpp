#include "solver/sound_output.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace {
// Lengths of the clips in milliseconds: the longest a synchronous play waits.
constexpr std::array<int, 5> kClipMs{50, 120, 1100, 4700, 60};
}  // namespace

EffectSoundOutput::EffectSoundOutput(QObject* parent) : QObject(parent) {
  // Loaded at once, so that the first letter typed is heard without delay.
  for (int n = 1; n <= 5; ++n) effect(static_cast<gw::cross::Sound>(n));
}

QSoundEffect* EffectSoundOutput::effect(gw::cross::Sound sound) {
  int i = static_cast<int>(sound) - 1;
  if (i < 0 || i >= static_cast<int>(effects_.size())) return nullptr;
  if (!effects_[i]) {
    effects_[i] = new QSoundEffect(this);
    effects_[i]->setSource(QUrl(QString("qrc:/sounds/%1.wav").arg(i + 1)));
  }
  return effects_[i];
}

void EffectSoundOutput::play(gw::cross::Sound sound, bool wait, bool unlessPlaying) {
  if (unlessPlaying) {
    for (QSoundEffect* e : effects_)
      if (e && e->isPlaying()) return;
  }
  QSoundEffect* e = effect(sound);
  if (!e || e->status() == QSoundEffect::Error) return;
  e->play();
  if (!wait) return;
  // Waits for the clip's end (or its length, whichever comes first), handling only
  // what keeps the window drawn; input waits until the clip is over.
  int limit = kClipMs[static_cast<int>(sound) - 1] + 150;
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer timeout;
  timeout.setSingleShot(true);
  QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(e, &QSoundEffect::playingChanged, &loop, [&] {
    if (!e->isPlaying() && clock.elapsed() > 20) loop.quit();
  });
  QObject::connect(e, &QSoundEffect::statusChanged, &loop, [&] {
    if (e->status() == QSoundEffect::Error) loop.quit();
  });
  timeout.start(limit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}
