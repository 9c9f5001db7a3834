#pragma once
// The main window's front page: the program's heading and the two rounded buttons that
// lead to composing and to editing, each with a line on what it is for.
#include <QPushButton>
#include <QSize>
#include <QWidget>

namespace gw::gui {

// A white button with bold text, a grey gradient frame that turns blue under the mouse,
// and rounded corners cut out of the widget itself.
class RoundedButton : public QPushButton {
  Q_OBJECT
 public:
  static constexpr QSize kSize{145, 25};
  static constexpr int kCornerRadius = 6;

  RoundedButton(const QString& text, QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;
};

class StartPage : public QWidget {
  Q_OBJECT
 public:
  explicit StartPage(QWidget* parent = nullptr);

 Q_SIGNALS:
  void composeChosen();
  void editChosen();
};

}  // namespace gw::gui
