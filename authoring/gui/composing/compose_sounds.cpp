#include "authoring/gui/composing/compose_sounds.h"

#include <QSoundEffect>
#include <QUrl>

namespace gw::gui {

namespace {

const char* clipOf(ComposerSound sound) {
  switch (sound) {
    case ComposerSound::Started: return "qrc:/composing-sounds/1.wav";
    case ComposerSound::ResultWritten: return "qrc:/composing-sounds/2.wav";
    case ComposerSound::Exhausted: return "qrc:/composing-sounds/3.wav";
  }
  return "";
}

}  // namespace

EffectComposeSounds::EffectComposeSounds(QObject* parent) : QObject(parent) {
  // Loaded at once, so that the first result is heard without delay.
  for (ComposerSound s : {ComposerSound::Started, ComposerSound::ResultWritten, ComposerSound::Exhausted}) {
    auto* effect = new QSoundEffect(this);
    effect->setSource(QUrl(clipOf(s)));
    effects_[static_cast<std::size_t>(s)] = effect;
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
