#pragma once
// The small borderless window with the program's name and version. With a status line
// it is the busy window shown while slow work runs on the window thread; shown modally
// with an empty status line it is the about box, closed by a click anywhere on it.
#include <QDialog>
#include <QSize>

class QLabel;

namespace gw::gui {

class SplashWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr QSize kSize{210, 172};

  explicit SplashWindow(QWidget* parent = nullptr);

  // Busy window: shows the status line and paints at once, without waiting for the event loop.
  void showBusy(const QString& status);
  // About box: an empty status line, modal until a click.
  void showAbout();

  QString statusText() const;
  QString versionLine() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void centreOnScreen();

  QLabel* version_;
  QLabel* status_;
  bool modal_ = false;
};

}  // namespace gw::gui
