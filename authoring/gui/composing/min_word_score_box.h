#pragma once
// "Minimum word score" on the composing page's toolbar: words scored under it are left out of
// Quick fill and Start compose. Only the author's own changes are reported, so that setting
// the remembered value at start writes nothing back to crossword.conf.
#include <QWidget>

class QSpinBox;

namespace gw::gui {

class MinWordScoreBox : public QWidget {
  Q_OBJECT
 public:
  explicit MinWordScoreBox(QWidget* parent = nullptr);

  int value() const;
  void setValue(int score);  // reports nothing
  QSpinBox* spinBox() const { return spinBox_; }

 Q_SIGNALS:
  void changedByAuthor(int score);

 private:
  QSpinBox* spinBox_;
};

}  // namespace gw::gui
