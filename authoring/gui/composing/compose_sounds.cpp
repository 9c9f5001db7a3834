#include "authoring/gui/composing/compose_sounds.h"

#include <QSoundEffect>
#include <QUrl>

namespace gw::gui {

EffectComposeSounds::EffectComposeSounds(QObject* parent) : QObject(parent) {
  // Loaded at once, so that the first result is heard without delay. The clips are numbered
  // from 1 in the order of ComposerSound: Started, ResultWritten, Exhausted.
  for (std::size_t i = 0; i < effects_.size(); ++i) {
    auto* effect = new QSoundEffect(this);
    effect->setSource(QUrl(QStringLiteral("qrc:/composing-sounds/%1.wav").arg(i + 1)));
    effects_[i] = effect;
  }
}

void EffectComposeSounds::play(ComposerSound sound) {
  for (QSoundEffect* e : effects_)
    if (e->isPlaying()) return;
  QSoundEffect* e = effects_[static_cast<std::size_t>(sound)];
  if (e->status() == QSoundEffect::Error) return;
  e->play();
}

}  // namespace gw::gui
