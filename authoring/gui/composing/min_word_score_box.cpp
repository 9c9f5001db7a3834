#include "authoring/gui/composing/min_word_score_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include "authoring/composing/dictionary/word_scores.h"

namespace gw::gui {

MinWordScoreBox::MinWordScoreBox(QWidget* parent) : QWidget(parent) {
  setObjectName("minWordScoreBox");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 0, 6, 0);
  auto* label = new QLabel("Minimum word score", this);
  spinBox_ = new QSpinBox(this);
  spinBox_->setObjectName("minWordScoreSpinBox");
  spinBox_->setRange(0, kMaxWordScore);
  spinBox_->setValue(kDefaultMinWordScore);
  spinBox_->setAccessibleName("Minimum word score");
  label->setBuddy(spinBox_);
  const QString hint =
      "Words scored under this (0 to 100) are left out of Quick fill and Start compose; 0 keeps every word";
  setToolTip(hint);
  spinBox_->setStatusTip(hint);
  layout->addWidget(label);
  layout->addWidget(spinBox_);
  connect(spinBox_, &QSpinBox::valueChanged, this, &MinWordScoreBox::changedByAuthor);
}

int MinWordScoreBox::value() const { return spinBox_->value(); }

void MinWordScoreBox::setValue(int score) {
  const QSignalBlocker quiet(spinBox_);
  spinBox_->setValue(score);
}

}  // namespace gw::gui
